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
    QByteArray f;
    f += char(0x0F);
    f += char(packet);
    f += char(destination);
    f += char(0);
    f += char(length & 0xFF);
    f += char(length >> 8);
    f += char(function);
    f += data;
    const quint16 c = crc(f);
    f += char(c & 0xFF);
    f += char(c >> 8);
    f += char(0xF0);
    return f;
}

QByteArray Wire::read(quint8 packet, quint8 area, quint16 address, quint8 count) {
    QByteArray d;
    d += char(0);
    d += char(area);
    d += char(address >> 8);
    d += char(address & 0xFF);
    d += char(count);
    return frame(packet, 0xF4, d);
}

QByteArray Wire::write(quint8 packet, quint16 address, const QByteArray& values, int count) {
    QByteArray d;
    d += char(0);
    d += char(1);
    d += char(address >> 8);
    d += char(address & 0xFF);
    d += char(count >= 0 ? count : (values.size() == 256 ? 0 : int(values.size())));
    d += values;
    return frame(packet, 0xF5, d);
}

QByteArray Wire::block(quint8 number, const QByteArray& data) {
    QByteArray b;
    b += char(0x02);
    b += char(number);
    b += char(quint8(~number));
    b += data;
    const quint16 c = crc(data);
    b += char(c >> 8);
    b += char(c & 0xFF);
    return b;
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
