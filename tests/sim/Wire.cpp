#include "Wire.h"

quint16 Wire::crc(QByteArrayView bytes) {
    quint16 c = 0;
    for (char ch : bytes) {
        c ^= quint16(quint8(ch) << 8);
        for (int bit = 0; bit < 8; ++bit)
            c = (c & 0x8000) ? quint16((c << 1) ^ 0x1021) : quint16(c << 1);
    }
    return c;
}

QByteArray Wire::frame(quint8 packet, quint8 function, const QByteArray& data, quint8 destination) {
    const int length = int(data.size()) + 1;
    const char head[] = {0x0F,         char(packet),      char(destination), 0,
                         char(length), char(length >> 8), char(function)};
    QByteArray f = QByteArray(head, sizeof head) + data;
    const quint16 c = crc(f);
    const char tail[] = {char(c), char(c >> 8), char(0xF0)};
    return f + QByteArray(tail, sizeof tail);
}

QByteArray Wire::read(quint8 packet, quint8 area, quint16 address, quint8 count) {
    const char d[] = {0, char(area), char(address >> 8), char(address), char(count)};
    return frame(packet, 0xF4, QByteArray(d, sizeof d));
}

QByteArray Wire::write(quint8 packet, quint16 address, const QByteArray& values, int count) {
    if (count < 0)
        count = values.size() == 256 ? 0 : int(values.size());
    const char d[] = {0, 1, char(address >> 8), char(address), char(count)};
    return frame(packet, 0xF5, QByteArray(d, sizeof d) + values);
}

QByteArray Wire::block(quint8 number, const QByteArray& data) {
    const quint16 c = crc(data);
    const char head[] = {0x02, char(number), char(~number)};
    const char tail[] = {char(c >> 8), char(c)};
    return QByteArray(head, sizeof head) + data + QByteArray(tail, sizeof tail);
}

QByteArray Wire::dataOf(const QByteArray& f) {
    if (f.size() < 10 || quint8(f.at(0)) != 0x0F)
        return {};
    const int length = quint8(f.at(4)) | (quint8(f.at(5)) << 8);
    if (f.size() != length + 9 || quint8(f.at(f.size() - 1)) != 0xF0)
        return {};
    const quint16 c = crc(QByteArrayView(f.constData(), 6 + length));
    if (quint8(f.at(6 + length)) != (c & 0xFF) || quint8(f.at(7 + length)) != (c >> 8))
        return {};
    return f.mid(7, length - 1);
}
