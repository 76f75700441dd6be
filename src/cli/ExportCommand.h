#pragma once

#include "CliCommand.h"

namespace kelvara {

// `export FILE`: the lens's settings saved as a settings file at FILE.
class ExportCommand : public CliCommand {
  public:
    bool parse(const QStringList& arguments, QString* error) override;
    void start(CliSession& session) override;

  private:
    QString path_;
};

} // namespace kelvara
