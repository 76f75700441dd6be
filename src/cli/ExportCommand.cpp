#include "CliCommand.h"
#include "CliSession.h"

#include "controller/AppViewModel.h"

#include <QCommandLineParser>

namespace kelvara {

namespace {
constexpr int EXPORT_MS = 10000;
} // namespace

CliCommand exportCommand() {
    return {QStringLiteral("export"), QStringLiteral("FILE"),
            QStringLiteral("save the lens's settings to FILE (530 bytes)"), QString(), {},
            [](const QCommandLineParser& parser, QString* error) -> CliCommand::Run {
                const QString path = parser.positionalArguments().first();
                if (path.isEmpty()) {
                    *error = QStringLiteral("export needs FILE");
                    return {};
                }
                return [path](CliSession& session) {
                    session.armWatchdog(EXPORT_MS);
                    session.fileDialogs().setPath(path);
                    session.connectLens([&session] {
                        session.run(Operation::Export, [&session] { session.controller().exportSettings(); });
                    });
                };
            }};
}

} // namespace kelvara
