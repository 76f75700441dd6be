#pragma once

#include "ClosedRange.h"

namespace kelvara {

// What the lens's basic information allows for its settings; the defaults are those of a
// lens whose record was not read.
struct SettingLimits {
    ClosedRange ringAngle{-5.0, 5.0};
    ClosedRange pinto{-10.0, 10.0};
    ClosedRange irisAngle{0.0, 3.0};
    ClosedRange focusSpeed{0.0, 6.0};
    int maxSec2 = 0;        // highest tens-of-seconds digit of a drive time
    int limitPositions = 0; // entries of the AF limit position table
};

} // namespace kelvara
