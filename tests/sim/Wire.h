#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

// The host's view of the bytes on the line, written independently of the lens
// (bitwise CRC, no tables) so the two can check each other.
class Wire {
  public:
    static quint16 crc(QByteArrayView bytes);
    static QByteArray frame(quint8 packet, quint8 function, const QByteArray& data,
                            quint8 destination = 0);
    static QByteArray read(quint8 packet, quint8 area, quint16 address, quint8 count);
    static QByteArray write(quint8 packet, quint16 address, const QByteArray& values,
                            int count = -1);
    static QByteArray block(quint8 number, const QByteArray& data);
    // The data field of a well-formed frame; empty if the bytes are not one.
    static QByteArray dataOf(const QByteArray& frame);
    static QByteArray hex(const char* digits) { return QByteArray::fromHex(digits); }
};
