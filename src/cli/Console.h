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
    // What the failures are about while a command works on several docks: each error line
    // names it after the program's name. Empty: nothing.
    static void setSubject(const QString& subject);
    // A message box text as one line: its line breaks become spaces.
    static QString oneLine(const QString& text);
    static bool stdinIsTerminal();
    // Asks on standard error and reads one answer from standard input; nothing at its end.
    static std::optional<bool> askYesNo(const QString& question);
};

} // namespace kelvara
