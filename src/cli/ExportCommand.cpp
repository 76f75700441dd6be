#include "CliCommand.h"
#include "CliSession.h"
#include "CliText.h"

#include "controller/AppViewModel.h"
#include "model/BasicInfoViewModel.h"

#include <QDir>

namespace kelvara {

namespace {
constexpr int EXPORT_MS = 10000;

// With several docks FILE is a folder, and each lens's file is named after its model and
// its port, so that lenses of one model do not overwrite each other's.
bool chooseFile(CliSession& session, const QString& path) {
    if (session.port().isEmpty()) {
        session.fileDialogs().setPath(path);
        return true;
    }
    if (!QDir().mkpath(path)) {
        session.fail(CliText::text(CliText::NoFolder).arg(path));
        return false;
    }
    session.fileDialogs().setPath(QDir(path).filePath(
        QStringLiteral("%1-%2.vdat")
            .arg(session.controller().basic_info()->modelName(), session.portName())));
    return true;
}
} // namespace

CliCommand exportCommand() {
    CliCommand command{
        QStringLiteral("export"), QStringLiteral("FILE"),
        QStringLiteral("save the lens's settings to FILE (530 bytes)"),
        QStringLiteral("With several ports FILE is a folder, made when missing, with one file\n"
                       "per lens named MODEL-PORTNAME.vdat: PORTNAME is the port's file name, or\n"
                       "its whole path with / as _ when two ports have the same file name.\n"),
        {},
        CliCommand::withFile(QStringLiteral("export"), [](const QString& path) -> CliCommand::Run {
            return [path](CliSession& session) {
                session.armWatchdog(EXPORT_MS);
                session.connectLens([&session, path] {
                    if (chooseFile(session, path))
                        session.run(Operation::Export, [&session] { session.controller().exportSettings(); });
                });
            };
        })};
    command.eachPort = true;
    return command;
}

} // namespace kelvara
