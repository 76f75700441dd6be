#pragma once

namespace kelvara {

// How a popup page was left.
enum class PopupResult { Close, OK, NG };

} // namespace kelvara
