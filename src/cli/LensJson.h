#pragma once

#include <QJsonObject>

namespace kelvara {

class AppViewModel;

// The connected lens as a JSON document: identity, firmware versions, capabilities and
// every decoded setting, under the names the models use.
class LensJson {
  public:
    static QJsonObject describe(const AppViewModel& controller, bool firmwareCheckEnded);
    // The "settings" member of describe's document.
    static QJsonObject settings(const AppViewModel& controller);
};

} // namespace kelvara
