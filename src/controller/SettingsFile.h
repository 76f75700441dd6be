#pragma once

#include "link/Bytes.h"

#include <optional>

namespace kelvara {

// The 530-byte settings file: the lens's 16-byte identity header, the 512-byte settings
// image and the CRC-16/XMODEM of both, low byte first.
class SettingsFile {
public:
    static constexpr std::size_t HEADER_SIZE = 16;
    static constexpr std::size_t BODY_SIZE = 512;
    static constexpr std::size_t FOOTER_SIZE = 2;
    static constexpr std::size_t FILE_SIZE = HEADER_SIZE + BODY_SIZE + FOOTER_SIZE;
    static constexpr const char* EXTENSION = "vdat";

    // Empty unless the header is 16 and the image 512 bytes.
    static Bytes build(const Bytes& header, const Bytes& image);
    // The image of a file that belongs to the lens whose basic-information record is rom:
    // right length, same model name bytes, matching checksum. Nothing otherwise.
    static std::optional<Bytes> imageFor(const Bytes& file, const Bytes& rom);
};

} // namespace kelvara
