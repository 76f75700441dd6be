#include "BackupReport.h"
#include "CliCommand.h"
#include "CliSession.h"

#include "controller/AppViewModel.h"


namespace kelvara {

namespace {
constexpr int IMPORT_MS = 15000;
} // namespace

CliCommand importCommand() {
    CliCommand command{QStringLiteral("import"), QStringLiteral("FILE"),
            QStringLiteral("load a settings file of the same model into the lens"),
            QStringLiteral("The lens's settings are backed up first (see backups).\n"), {},
            CliCommand::withFile(QStringLiteral("import"), [](const QString& path) -> CliCommand::Run {
                return [path](CliSession& session) {
                    session.armWatchdog(IMPORT_MS);
                    session.fileDialogs().setPath(path);
                    session.connectLens([&session] {
                        session.expect(Operation::Import, [&session](const Outcome& imported) {
                            BackupReport::endOverwrite(session, imported);
                        });
                        session.controller().importSettings();
                    });
                };
            })};
    command.eachPort = true;
    return command;
}

} // namespace kelvara
