#pragma once

#include "CliCommand.h"

namespace kelvara {

// `reset`: the lens's settings back to their factory values, after the question and an
// automatic backup.
class ResetCommand : public CliCommand {
  public:
    bool parse(const QStringList& arguments, QString* error) override;
    void start(CliSession& session) override;
};

} // namespace kelvara
