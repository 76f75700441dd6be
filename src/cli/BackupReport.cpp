#include "BackupReport.h"

#include "CliSession.h"
#include "CliText.h"
#include "Console.h"

namespace kelvara {

void BackupReport::endOverwrite(CliSession& session, const Outcome& outcome) {
    CliSession::report(outcome);
    printBackup(session);
    if (outcome.done())
        session.endOn(Operation::SettingsRead);
    else
        session.finish(CliSession::exitCode(outcome));
}

void BackupReport::printBackup(const CliSession& session) {
    if (const std::optional<QString> backup = session.backup()) {
        if (backup->isEmpty())
            Console::err(CliText::text(CliText::NoBackup));
        else
            Console::out(CliText::text(CliText::Backup).arg(*backup));
    }
}

} // namespace kelvara
