#pragma once

namespace kelvara {

class AppViewModel;

// Where the automatic copy of the lens's settings went before a reset or an import.
class BackupReport {
  public:
    static void print(const AppViewModel& controller);
};

} // namespace kelvara
