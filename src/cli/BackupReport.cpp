#include "BackupReport.h"

#include "CliText.h"
#include "Console.h"

#include "controller/AppViewModel.h"

namespace kelvara {

void BackupReport::print(const AppViewModel& controller) {
    if (controller.lastBackup().isEmpty())
        Console::err(CliText::text(CliText::NoBackup));
    else
        Console::out(CliText::text(CliText::Backup).arg(controller.lastBackup()));
}

} // namespace kelvara
