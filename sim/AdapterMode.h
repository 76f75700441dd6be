#pragma once

namespace kelvara::sim {

// The dock runs either its normal framed mode or the mode that passes a
// firmware image for the lens's operating system through.
enum class AdapterMode { Normal, Update };

} // namespace kelvara::sim
