#include "BackupReport.h"

#include "CliSession.h"
#include "CliText.h"
#include "Console.h"

namespace kelvara {

void BackupReport::print(const CliSession& session) {
    const std::optional<QString> backup = session.backup();
    if (!backup)
        return;
    if (backup->isEmpty())
        Console::err(CliText::text(CliText::NoBackup));
    else
        Console::out(CliText::text(CliText::Backup).arg(*backup));
}

} // namespace kelvara
