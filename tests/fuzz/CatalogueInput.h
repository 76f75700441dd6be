#pragma once

#include "firmware/CatalogueReader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace kelvara::fuzz {

// Parses the input as a catalogue answer; a parse must complete exactly once.
inline void parseCatalogue(CatalogueReader& reader, const std::uint8_t* data, std::size_t size) {
    int completions = 0;
    reader.onComplete = [&](bool) { ++completions; };
    reader.parse(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (completions != 1)
        std::abort();
}

} // namespace kelvara::fuzz
