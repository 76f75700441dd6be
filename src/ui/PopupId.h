#pragma once

#include <cstdint>

namespace kelvara {

// Which popup is shown.
enum class PopupId : std::uint8_t {
    None = 0,
    FunctionSelect = 1,
    RingDirection = 2,
    RingResponse = 3,
    AdjustmentPinto = 4,
};

} // namespace kelvara
