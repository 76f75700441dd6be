#include "Crc.h"

namespace kelvara {

namespace {
struct Table {
    std::uint16_t entry[256];
    Table() {
        for (int i = 0; i < 256; ++i) {
            std::uint16_t c = std::uint16_t(i << 8);
            for (int bit = 0; bit < 8; ++bit)
                c = (c & 0x8000) ? std::uint16_t((c << 1) ^ 0x1021) : std::uint16_t(c << 1);
            entry[i] = c;
        }
    }
};
} // namespace

std::array<std::uint8_t, 2> Crc::calculate(const std::uint8_t* data, std::size_t size) {
    static const Table table; // built once, thread-safe, read-only afterwards
    std::uint16_t c = 0;
    for (std::size_t i = 0; i < size; ++i)
        c = std::uint16_t(table.entry[((c >> 8) ^ data[i]) & 0xFF] ^ (c << 8));
    return {std::uint8_t(c & 0xFF), std::uint8_t(c >> 8)};
}

} // namespace kelvara
