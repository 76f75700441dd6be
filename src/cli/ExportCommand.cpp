#include "ExportCommand.h"

#include "CliSession.h"

#include "controller/AppViewModel.h"

namespace kelvara {

namespace {
constexpr int EXPORT_MS = 10000;
} // namespace

bool ExportCommand::parse(const QStringList& arguments, QString* error) {
    if (arguments.size() != 1 || arguments[0].isEmpty()) {
        *error = QStringLiteral("export needs FILE");
        return false;
    }
    path_ = arguments[0];
    return true;
}

void ExportCommand::start(CliSession& session) {
    session.armWatchdog(EXPORT_MS);
    session.fileDialogs().setPath(path_);
    session.connectLens([&session] {
        // Every way an export ends shows one message.
        session.onNextMessage([&session](const QString&, bool success) { session.finish(success ? 0 : 1); });
        session.controller().exportSettings();
    });
}

} // namespace kelvara
