#pragma once

namespace kelvara::sim {

// Reads the line speed a tty is set to, including rates without a Bxxx
// constant. Kept apart because the kernel's termios header cannot share a
// translation unit with the C library's.
class TermiosProbe {
  public:
    // Output baud rate of the tty behind fd, or 0 if it cannot be read.
    static int outputBaud(int fd);
};

} // namespace kelvara::sim
