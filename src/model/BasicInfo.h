#pragma once

#include "link/Bytes.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace kelvara {

// The lens's 256-byte basic-information record as a value: each field by name, as the
// lens stores it. Decoded and encoded from one layout table; bytes that no field holds
// are kept as they were read.
class BasicInfo {
  public:
    static constexpr std::size_t SIZE = 256;

    std::uint8_t lensType = 0;
    std::uint8_t firmwareType = 0;
    std::uint8_t customButtonCount = 0;
    std::uint8_t customSwitchStateCount = 0;
    std::uint8_t mount = 0;
    std::uint8_t supportConnectType = 1;
    std::uint8_t ringAngleLimits = 0; // the ends of the range, a nibble each
    std::uint8_t pintoLimit = 0;      // n: -n ... n, 0 meaning 1
    std::uint8_t focusSpeedLimit = 0; // 0 meaning 1
    std::uint8_t longestTime = 0;     // seconds; its tens limit the drive times
    std::uint8_t irisAngleLimits = 0; // the ends of the range, a nibble each
    std::uint8_t specialSpecAFLimitFixedInf = 1;
    QString modelName; // Latin-1, up to the first zero byte
    std::uint8_t versionMinor = 0;
    std::uint8_t versionMajor = 0;
    std::array<std::uint8_t, 4> lensSettingSupport{};
    std::uint8_t customSwitchSupport = 0;
    std::array<std::uint8_t, 8> customButtonSupport{};
    std::array<std::uint8_t, 16> limitTable{}; // AF limit positions in tenths of a metre
    QString productName;

    // Nothing for a record of any length but SIZE.
    static std::optional<BasicInfo> decode(const Bytes& record);
    // The decoded record with every field written back in. A name is written up to a
    // zero byte after it; what followed that byte stays.
    Bytes encode() const;

    // Equal when the lens would store the same bytes.
    friend bool operator==(const BasicInfo& a, const BasicInfo& b) {
        return a.encode() == b.encode();
    }

  private:
    Bytes record_ = Bytes(SIZE, 0);
};

} // namespace kelvara
