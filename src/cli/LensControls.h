#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace kelvara {

class BasicInfoViewModel;

// The custom button and switch positions a lens lets the user assign, by the names the
// command line uses: "button0" for the button (settings slot 0) and "switch1" to
// "switch3" for the switch positions (slots 1 to 3).
class LensControls {
  public:
    struct Control {
        QString name;
        int slot = 0;
        int afLimitRow = 0;
        const char* labelKey = "";
    };

    // Every control name, whatever the lens has.
    static QList<Control> all();
    static std::optional<Control> byName(const QString& name);
    // The controls of this lens, in the order the home page lists them.
    static QList<Control> of(const BasicInfoViewModel& info);
    static bool has(const BasicInfoViewModel& info, int slot);
};

} // namespace kelvara
