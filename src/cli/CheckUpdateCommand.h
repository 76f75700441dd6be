#pragma once

#include "CliCommand.h"

namespace kelvara {

// `check-update`: this program against the update server's utility catalogue, then, when
// a lens adapter is there, the lens's firmware against its model's catalogue.
class CheckUpdateCommand : public CliCommand {
  public:
    bool parse(const QStringList& arguments, QString* error) override;
    void start(CliSession& session) override;

  private:
    void utilityChecked(CliSession& session);
    void checkLens(CliSession& session);
    bool failed_ = false;
};

} // namespace kelvara
