#pragma once

namespace kelvara {

class CliSession;
struct Outcome;

// The end of an import or a reset: the outcome's message, where the automatic backup of
// the lens's previous settings went (or that it could not be written; nothing when none
// was attempted), then the session ends, after the re-read the controller starts when the
// lens took the new settings.
class BackupReport {
  public:
    static void endOverwrite(CliSession& session, const Outcome& outcome);
    // Where the automatic backup went, or that it could not be written; nothing when none
    // was attempted.
    static void printBackup(const CliSession& session);
};

} // namespace kelvara
