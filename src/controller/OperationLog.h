#pragma once

#include <QObject>
#include <QString>

#include <memory>

namespace kelvara {

class AppViewModel;
class Environment;
class LogFile;

// The window's log of a run, for the user to send when something went wrong: the
// program's version, then the diagnostic lines, each lens's model and firmware as it is
// read, and each operation's outcome. Standard output goes on as before.
class OperationLog : public QObject {
    Q_OBJECT

  public:
    // Writes into `file`, opened by the caller, while the log lives.
    OperationLog(AppViewModel& controller, Environment& environment, std::shared_ptr<LogFile> file);
    ~OperationLog() override;

  private:
    Environment& environment_;
    std::shared_ptr<LogFile> file_;
};

} // namespace kelvara
