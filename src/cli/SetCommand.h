#pragma once

#include "CliCommand.h"
#include "SettingChange.h"

#include <optional>

namespace kelvara {

class AppViewModel;

// `set SETTING VALUE`: one setting written through the settings model, as the window's
// popups write it; ends when the lens has accepted or refused it.
class SetCommand : public CliCommand {
  public:
    bool parse(const QStringList& arguments, QString* error) override;
    void start(CliSession& session) override;

  private:
    // Why the lens cannot take the change; empty when it can.
    QString refusal(const AppViewModel& c) const;
    bool unchanged(const AppViewModel& c) const;
    void write(CliSession& session);

    std::optional<SettingChange> change_;
};

} // namespace kelvara
