#pragma once

#include "CliCommand.h"

namespace kelvara {

// `info [--json]`: identity, firmware against the server, capabilities and the settings
// as the home page sums them up (or the decoded values as JSON).
class InfoCommand : public CliCommand {
  public:
    bool parse(const QStringList& arguments, QString* error) override;
    void start(CliSession& session) override;

  private:
    void print(CliSession& session, bool checkEnded) const;
    bool json_ = false;
};

} // namespace kelvara
