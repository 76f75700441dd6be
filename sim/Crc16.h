#pragma once

#include <QByteArrayView>
#include <QtGlobal>

namespace kelvara::sim {

// CRC-16/XMODEM (poly 0x1021, init 0, no reflection, no final xor).
class Crc16 {
  public:
    static quint16 xmodem(QByteArrayView bytes);
};

} // namespace kelvara::sim
