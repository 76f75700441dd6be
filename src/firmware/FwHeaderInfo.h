#pragma once

namespace kelvara {

// Layout of one firmware image header inside a package.
struct FwHeaderInfo {
    static constexpr int headerLength = 1024;
    static constexpr int offsetDataSize = 64; // 4 bytes, least significant first
    static constexpr int offsetVersion = 68;  // 2 bytes, not read
    static constexpr int offsetDataCrc = 70;  // low byte, then high byte
    static constexpr int offsetTargetDevice = 72;
    static constexpr int offsetTargetArea = 73;
};

} // namespace kelvara
