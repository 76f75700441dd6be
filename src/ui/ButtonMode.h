#pragma once

namespace kelvara {

// The buttons of the message box and of the popups.
enum class ButtonMode { OK, YES_NO };

} // namespace kelvara
