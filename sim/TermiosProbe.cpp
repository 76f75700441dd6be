#include "TermiosProbe.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace kelvara::sim {

int TermiosProbe::outputBaud(int fd) {
    if (fd < 0)
        return 0;
    struct termios2 t {};
    if (::ioctl(fd, TCGETS2, &t) != 0)
        return 0;
    return int(t.c_ospeed);
}

} // namespace kelvara::sim
