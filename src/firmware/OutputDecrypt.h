#pragma once

#include "link/Bytes.h"

#include <cstdint>

namespace kelvara {

// One decoded firmware image: its data and where the lens is to put it.
struct OutputDecrypt {
    Bytes odata;
    std::uint8_t device = 0;
    std::uint8_t area = 0;
    int dataSize = 0; // equal to odata.size()
};

} // namespace kelvara
