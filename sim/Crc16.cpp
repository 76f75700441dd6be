#include "Crc16.h"

#include <array>

namespace kelvara::sim {

namespace {

constexpr std::array<quint16, 256> makeTable() {
    std::array<quint16, 256> table{};
    for (unsigned i = 0; i < 256; ++i) {
        unsigned c = i << 8;
        for (int bit = 0; bit < 8; ++bit)
            c = (c & 0x8000) ? ((c << 1) ^ 0x1021) : (c << 1);
        table[i] = quint16(c & 0xFFFF);
    }
    return table;
}

constexpr std::array<quint16, 256> kTable = makeTable();

} // namespace

quint16 Crc16::xmodem(QByteArrayView bytes) {
    quint16 c = 0;
    for (char ch : bytes)
        c = quint16(kTable[((c >> 8) ^ quint8(ch)) & 0xFF] ^ (c << 8));
    return c;
}

} // namespace kelvara::sim
