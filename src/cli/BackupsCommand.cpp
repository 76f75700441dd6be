#include "BackupsCommand.h"

#include "CliSession.h"
#include "CliText.h"
#include "Console.h"

#include "controller/SettingsBackup.h"

namespace kelvara {

bool BackupsCommand::parse(const QStringList& arguments, QString* error) {
    if (!arguments.isEmpty()) {
        *error = QStringLiteral("backups takes no arguments");
        return false;
    }
    return true;
}

void BackupsCommand::start(CliSession& session) {
    Console::out(CliText::text(CliText::BackupDirectory).arg(SettingsBackup::directory()));
    const QStringList backups = SettingsBackup::list();
    if (backups.isEmpty())
        Console::out(CliText::text(CliText::NoBackups));
    for (const QString& path : backups)
        Console::out(path);
    session.finish(0);
}

} // namespace kelvara
