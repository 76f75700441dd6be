#pragma once

#include <cstdint>

namespace kelvara {

// Course of one firmware update; callers compare the values.
enum class UpdateState : std::uint8_t {
    Idle = 0,
    Start = 1,
    Complete = 2,
    Cancel = 3,
    Error = 4,
    NetworkError = 5,
};

} // namespace kelvara
