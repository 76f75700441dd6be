#include "CliCommand.h"

#include "BackupsCommand.h"
#include "CheckUpdateCommand.h"
#include "ExportCommand.h"
#include "ImportCommand.h"
#include "InfoCommand.h"
#include "ResetCommand.h"
#include "SetCommand.h"
#include "UpdateCommand.h"

namespace kelvara {

std::unique_ptr<CliCommand> CliCommand::create(const QString& name) {
    if (name == QLatin1String("info"))
        return std::make_unique<InfoCommand>();
    if (name == QLatin1String("set"))
        return std::make_unique<SetCommand>();
    if (name == QLatin1String("export"))
        return std::make_unique<ExportCommand>();
    if (name == QLatin1String("import"))
        return std::make_unique<ImportCommand>();
    if (name == QLatin1String("reset"))
        return std::make_unique<ResetCommand>();
    if (name == QLatin1String("backups"))
        return std::make_unique<BackupsCommand>();
    if (name == QLatin1String("check-update"))
        return std::make_unique<CheckUpdateCommand>();
    if (name == QLatin1String("update"))
        return std::make_unique<UpdateCommand>();
    return nullptr;
}

} // namespace kelvara
