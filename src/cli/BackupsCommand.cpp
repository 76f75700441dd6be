#include "CliCommand.h"
#include "CliSession.h"
#include "CliText.h"
#include "Console.h"

#include "controller/SettingsBackup.h"


namespace kelvara {

CliCommand backupsCommand() {
    return {QStringLiteral("backups"), QString(),
            QStringLiteral("the automatic backups taken before import and reset, newest\n"
                           "first, after the line naming their directory"),
            QString(), {},
            CliCommand::always([](CliSession& session) {
                Console::out(CliText::text(CliText::BackupDirectory).arg(SettingsBackup::directory()));
                const QStringList backups = SettingsBackup::list();
                if (backups.isEmpty())
                    Console::out(CliText::text(CliText::NoBackups));
                for (const QString& path : backups)
                    Console::out(path);
                session.finish(0);
            })};
}

} // namespace kelvara
