#include "CliCommand.h"
#include "CliSession.h"

#include "controller/AppViewModel.h"


namespace kelvara {

namespace {
constexpr int EXPORT_MS = 10000;
} // namespace

CliCommand exportCommand() {
    return {QStringLiteral("export"), QStringLiteral("FILE"),
            QStringLiteral("save the lens's settings to FILE (530 bytes)"), QString(), {},
            CliCommand::withFile(QStringLiteral("export"), [](const QString& path) -> CliCommand::Run {
                return [path](CliSession& session) {
                    session.armWatchdog(EXPORT_MS);
                    session.fileDialogs().setPath(path);
                    session.connectLens([&session] {
                        session.run(Operation::Export, [&session] { session.controller().exportSettings(); });
                    });
                };
            })};
}

} // namespace kelvara
