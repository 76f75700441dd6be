#pragma once

#include <QString>

namespace kelvara::sim {

class VirtualLens;

// The text commands of the control channel (stdin, local socket, tests).
// One command per line; the answer is one line, "ok..." or "error: ...".
class LensCommand {
  public:
    static QString execute(VirtualLens& lens, const QString& line);
    // The grammar, for --help.
    static QString help();
};

} // namespace kelvara::sim
