#pragma once

#include <QString>

#include <functional>

namespace kelvara {

// Diagnostic lines of the program: plain lines on standard output, unless the current
// environment diverts them to its sink (the CLI's quiet mode, tests that observe them);
// the window also copies them into its log.
class Diagnostics {
public:
    using Sink = std::function<void(const QString&)>;

    static void line(const QString& text);
};

} // namespace kelvara
