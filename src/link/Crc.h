#pragma once

#include "Bytes.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace kelvara {

// CRC-16/XMODEM (polynomial 0x1021, initial 0, no reflection, no final XOR).
class Crc {
public:
    // [low byte, high byte]
    static std::array<std::uint8_t, 2> calculate(const std::uint8_t* data, std::size_t size);
    static std::array<std::uint8_t, 2> calculate(const Bytes& bytes) {
        return calculate(bytes.data(), bytes.size());
    }
};

} // namespace kelvara
