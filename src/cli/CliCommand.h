#pragma once

#include <QString>
#include <QStringList>

#include <memory>

namespace kelvara {

class CliSession;

// One command of kelvara-lens-cli that runs over the application controller. Exit codes:
// 0 done, 1 failed, 2 a command line or value refused before anything was sent,
// 3 a question answered no.
class CliCommand {
  public:
    virtual ~CliCommand() = default;

    // The command of that name; null when there is none.
    static std::unique_ptr<CliCommand> create(const QString& name);

    // Reads the command's own arguments; false with a reason for a malformed line.
    virtual bool parse(const QStringList& arguments, QString* error) = 0;
    // Starts on the main thread; the command ends by finishing the session.
    virtual void start(CliSession& session) = 0;
};

} // namespace kelvara
