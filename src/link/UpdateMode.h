#pragma once

namespace kelvara {

// How a firmware update runs: from the firmware page, from a lens in safe mode, or one
// image kind of a combined package.
enum class UpdateMode { NORMAL = 0, SAFEMODE = 1, MAIN = 2, VC = 3 };

} // namespace kelvara
