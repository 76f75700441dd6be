#pragma once

#include "CliCommand.h"

namespace kelvara {

// `update`: installs the newest firmware from the update server on the connected lens,
// or on a lens that asks for it when it connects (safe mode). Ends with 0 only after
// the transfer completed.
class UpdateCommand : public CliCommand {
  public:
    bool parse(const QStringList& arguments, QString* error) override;
    void start(CliSession& session) override;
};

} // namespace kelvara
