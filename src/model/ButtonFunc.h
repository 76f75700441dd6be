#pragma once

namespace kelvara {

// Function ids as the settings image stores them in a button slot; also the bit numbers
// of the lens's button function support bits. 11 and 21 are not used.
enum ButtonFunc : int {
    NONE = 0,
    AFMF_SWITCH_LONG_PRESS = 1,
    AFMF_SWITCH_CLICK = 2,
    AFLIMIT_LONG_PRESS = 3,
    AFLIMIT_CLICK = 4,
    FOCUS_HOLD = 5,
    AFLIMIT_WHILE_PRESS = 6,
    AFLIMIT_WHILE_RELEASE = 7,
    FOCUS_PRESET = 8,
    AB_FOCUS = 9,
    FOCUS_HOLD2 = 10,
    RING_SWITCH_LONG_PRESS = 12,
    RING_SWITCH_CLICK = 13,
    INF_LOCK_LONG_PRESS = 14,
    INF_LOCK_CLICK = 15,
    MFLIMIT_LONG_PRESS = 16,
    MFLIMIT_CLICK = 17,
    VC_ONOFF_LONG_PRESS = 18,
    VC_ONOFF_CLICK = 19,
    VC_MODE = 20,
    FOCUS_PRESET_TIME = 22,
    AB_FOCUS_TIME = 23,
    IRIS_PRESET_TIME = 24,
    AB_IRIS_TIME = 25,
};

constexpr int BUTTON_FUNC_COUNT = 26;

// Which catalogue an entry of the function description page comes from.
enum class FunctionType { CUSTOM, RING, ADJUST };

enum RingFunc : int { RING_DIRECTION = 0, RING_RESPONSE = 1 };

enum AdjustFunc : int { ADJUST_PINTO = 0 };

} // namespace kelvara
