#include "Frame.h"

#include "Crc16.h"

namespace kelvara::sim {

namespace {
constexpr quint8 kStart = 0x0F;
constexpr quint8 kEnd = 0xF0;

quint8 at(const QByteArray& b, qsizetype i) {
    return quint8(b.at(i));
}
} // namespace

QByteArray Frame::encode() const {
    const qsizetype length = data.size() + 1;
    QByteArray out;
    out.reserve(data.size() + 10);
    out.append(char(kStart));
    out.append(char(packet));
    out.append(char(destination));
    out.append(char(0));
    out.append(char(length & 0xFF));
    out.append(char((length >> 8) & 0xFF));
    out.append(char(function));
    out.append(data);
    const quint16 crc = Crc16::xmodem(out);
    out.append(char(crc & 0xFF));
    out.append(char(crc >> 8));
    out.append(char(kEnd));
    return out;
}

Frame::Scan Frame::scan(const QByteArray& buffer, qsizetype* consumed, Frame* frame) {
    *consumed = 0;
    if (buffer.isEmpty())
        return Scan::NeedMore;
    if (at(buffer, 0) != kStart) {
        const qsizetype next = buffer.indexOf(char(kStart));
        *consumed = next < 0 ? buffer.size() : next;
        return Scan::Junk;
    }
    if (buffer.size() < 7)
        return Scan::NeedMore;
    const int length = at(buffer, 4) | (at(buffer, 5) << 8);
    if (length == 0 || length > kMaxCommandLength) {
        // Resynchronise on the next start marker rather than trusting this header.
        *consumed = 1;
        return Scan::Bad;
    }
    const qsizetype total = length + 9;
    if (buffer.size() < total)
        return Scan::NeedMore;
    if (at(buffer, total - 1) != kEnd) {
        *consumed = 1;
        return Scan::Bad;
    }
    const quint16 crc = Crc16::xmodem(QByteArrayView(buffer.constData(), 6 + length));
    *consumed = total;
    if (at(buffer, 6 + length) != (crc & 0xFF) || at(buffer, 7 + length) != (crc >> 8))
        return Scan::Bad;
    frame->packet = at(buffer, 1);
    frame->destination = at(buffer, 2);
    frame->function = at(buffer, 6);
    frame->data = buffer.mid(7, length - 1);
    return Scan::Good;
}

} // namespace kelvara::sim
