#pragma once

#include "CliCommand.h"

namespace kelvara {

// `backups`: the backup directory, then the automatic backups, newest first.
class BackupsCommand : public CliCommand {
  public:
    bool parse(const QStringList& arguments, QString* error) override;
    void start(CliSession& session) override;
};

} // namespace kelvara
