#include "ResetCommand.h"

#include "BackupReport.h"
#include "CliSession.h"

#include "controller/AppViewModel.h"

namespace kelvara {

namespace {
constexpr int RESET_MS = 10000;
} // namespace

bool ResetCommand::parse(const QStringList& arguments, QString* error) {
    if (!arguments.isEmpty()) {
        *error = QStringLiteral("reset takes no arguments");
        return false;
    }
    return true;
}

void ResetCommand::start(CliSession& session) {
    session.armWatchdog(RESET_MS);
    session.connectLens([&session] {
        session.onNextMessage([&session](const QString&, bool yes) {
            if (!yes) {
                session.finish(3);
                return;
            }
            session.onNextMessage([&session](const QString&, bool success) {
                BackupReport::print(session.controller());
                if (!success) {
                    session.finish(1);
                    return;
                }
                session.whenSettingsRead([&session] { session.finish(0); });
            });
        });
        session.controller().resetSettings();
    });
}

} // namespace kelvara
