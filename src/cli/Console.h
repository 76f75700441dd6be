#pragma once

#include <QString>

#include <optional>

namespace kelvara {

// The terminal of the command-line front-end: one line per call, information on standard
// output and failures (prefixed with the program name) on standard error.
class Console {
  public:
    static void out(const QString& line);
    static void err(const QString& line);
    // A message box text as one line: its line breaks become spaces.
    static QString oneLine(const QString& text);
    static bool stdinIsTerminal();
    // Asks on standard error and reads one answer from standard input; nothing at its end.
    static std::optional<bool> askYesNo(const QString& question);
};

} // namespace kelvara
