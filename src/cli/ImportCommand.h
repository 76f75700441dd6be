#pragma once

#include "CliCommand.h"

namespace kelvara {

// `import FILE`: a settings file of the same model written into the lens, after an
// automatic backup of the settings it replaces.
class ImportCommand : public CliCommand {
  public:
    bool parse(const QStringList& arguments, QString* error) override;
    void start(CliSession& session) override;

  private:
    QString path_;
};

} // namespace kelvara
