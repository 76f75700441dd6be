#pragma once

namespace kelvara {

// Asks a USB-serial driver to pass received bytes on at once instead of holding them for
// up to 16 ms, which would make every stop-and-wait firmware block wait that long. True
// when the driver now delivers at once; false where it cannot say (a pseudo-terminal, a
// driver without the setting), which is no error.
bool requestLowLatency(int fd);

} // namespace kelvara
