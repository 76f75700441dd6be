#pragma once

namespace kelvara {

// Camera mount of a lens, from the mount code of its basic-information record.
enum MountType { SonyE, CanonRF, NikonZ, FujiX };

} // namespace kelvara
