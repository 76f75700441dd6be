#include "BackupReport.h"
#include "CliCommand.h"
#include "CliSession.h"

#include "controller/AppViewModel.h"

#include <QCommandLineParser>

namespace kelvara {

namespace {
constexpr int IMPORT_MS = 15000;
} // namespace

CliCommand importCommand() {
    return {QStringLiteral("import"), QStringLiteral("FILE"),
            QStringLiteral("load a settings file of the same model into the lens"),
            QStringLiteral("The lens's settings are backed up first (see backups).\n"), {},
            [](const QCommandLineParser& parser, QString* error) -> CliCommand::Run {
                const QString path = parser.positionalArguments().first();
                if (path.isEmpty()) {
                    *error = QStringLiteral("import needs FILE");
                    return {};
                }
                return [path](CliSession& session) {
                    session.armWatchdog(IMPORT_MS);
                    session.fileDialogs().setPath(path);
                    session.connectLens([&session] {
                        session.expect(Operation::Import, [&session](const Outcome& imported) {
                            CliSession::report(imported);
                            BackupReport::print(session);
                            if (!imported.done()) {
                                session.finish(CliSession::exitCode(imported));
                                return;
                            }
                            // The lens is read again, as the window shows the imported settings.
                            session.endOn(Operation::SettingsRead);
                        });
                        session.controller().importSettings();
                    });
                };
            }};
}

} // namespace kelvara
