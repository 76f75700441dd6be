#include "BackupReport.h"
#include "CliCommand.h"
#include "CliSession.h"

#include "controller/AppViewModel.h"


namespace kelvara {

namespace {
constexpr int RESET_MS = 10000;
} // namespace

CliCommand resetCommand() {
    CliCommand command{QStringLiteral("reset"), QString(),
            QStringLiteral("reset the lens's settings to their factory values (asks)"),
            QStringLiteral("The lens's settings are backed up first (see backups).\n"), {},
            CliCommand::always([](CliSession& session) {
                session.armWatchdog(RESET_MS);
                session.connectLens([&session] {
                    session.expect(Operation::Reset, [&session](const Outcome& reset) {
                        BackupReport::endOverwrite(session, reset);
                    });
                    session.controller().resetSettings();
                });
            })};
    command.eachPort = true;
    return command;
}

} // namespace kelvara
