#pragma once

#include <QString>

#include <functional>

namespace kelvara {

// Diagnostic lines of the program: plain lines on standard output. Tests may divert
// them to observe what the program reported.
class Diagnostics {
public:
    using Sink = std::function<void(const QString&)>;

    static void line(const QString& text);
    // Installs a sink in place of standard output; an empty sink restores stdout.
    static void setSink(Sink sink);
};

} // namespace kelvara
