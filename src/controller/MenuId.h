#pragma once

namespace kelvara {

// The page shown in the main area.
enum MenuId {
    CONNECT,
    HOME,
    CSW_CBT_SETTING,
    CBT_SETTING,
    RING_SETTING,
    ADJUSTMENT,
    FIRMWARE_INFO,
    VERSION_INFO,
    FUNCTION_DESCRIPTION
};

} // namespace kelvara
