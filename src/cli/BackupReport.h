#pragma once

namespace kelvara {

class CliSession;

// After an import or a reset: where the automatic backup of the lens's previous settings
// went, or that it could not be written. Nothing when no backup was attempted.
class BackupReport {
  public:
    static void print(const CliSession& session);
};

} // namespace kelvara
