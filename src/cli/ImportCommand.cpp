#include "ImportCommand.h"

#include "BackupReport.h"
#include "CliSession.h"

#include "controller/AppViewModel.h"
#include "platform/Texts.h"

namespace kelvara {

namespace {
constexpr int IMPORT_MS = 15000;
} // namespace

bool ImportCommand::parse(const QStringList& arguments, QString* error) {
    if (arguments.size() != 1 || arguments[0].isEmpty()) {
        *error = QStringLiteral("import needs FILE");
        return false;
    }
    path_ = arguments[0];
    return true;
}

void ImportCommand::start(CliSession& session) {
    session.armWatchdog(IMPORT_MS);
    session.fileDialogs().setPath(path_);
    session.connectLens([&session] {
        session.onNextMessage([&session](const QString& text, bool success) {
            // Only a file that passed its checks was backed up and written.
            if (success || text == Texts::text(QStringLiteral("Home_SettingInputError")))
                BackupReport::print(session.controller());
            if (!success) {
                session.finish(1);
                return;
            }
            // The lens is read again, as the window shows the imported settings.
            session.whenSettingsRead([&session] { session.finish(0); });
        });
        session.controller().importSettings();
    });
}

} // namespace kelvara
