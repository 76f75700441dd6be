#include "SettingsFile.h"

#include "link/Crc.h"

namespace kelvara {

namespace {
constexpr std::size_t MODEL_OFFSET = 16; // model name bytes in the basic-information record
constexpr std::size_t MODEL_SIZE = 8;
} // namespace

Bytes SettingsFile::build(const Bytes& header, const Bytes& image) {
    if (header.size() != HEADER_SIZE || image.size() != BODY_SIZE)
        return {};
    Bytes file = header;
    file.insert(file.end(), image.begin(), image.end());
    const auto crc = Crc::calculate(file);
    file.push_back(crc[0]);
    file.push_back(crc[1]);
    return file;
}

std::optional<Bytes> SettingsFile::imageFor(const Bytes& file, const Bytes& rom) {
    if (file.size() != FILE_SIZE || rom.size() < MODEL_OFFSET + MODEL_SIZE)
        return std::nullopt;
    for (std::size_t i = 0; i < MODEL_SIZE; ++i)
        if (file[i] != rom[MODEL_OFFSET + i])
            return std::nullopt;
    const auto crc = Crc::calculate(file.data(), HEADER_SIZE + BODY_SIZE);
    if (crc[0] != file[HEADER_SIZE + BODY_SIZE] || crc[1] != file[HEADER_SIZE + BODY_SIZE + 1])
        return std::nullopt;
    return Bytes(file.begin() + HEADER_SIZE, file.begin() + HEADER_SIZE + BODY_SIZE);
}

} // namespace kelvara
