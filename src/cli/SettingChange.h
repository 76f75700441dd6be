#pragma once

#include <QString>

#include <optional>

namespace kelvara {

// One `set SETTING VALUE` as typed, checked for form only; the lens's ranges are checked
// once it is connected.
class SettingChange {
  public:
    enum Kind { Function, Time, Delay, Speed, AfLimit, Direction, RingResponse, RingAngle, Pinto };

    Kind kind = Function;
    QString setting; // as typed
    int slot = -1;   // settings slot of a button or switch position
    int row = -1;    // AF limit row
    int value = 0;   // function id, tenths of a second, near index, or the plain value
    int far = 0;     // far index of an AF limit

    static std::optional<SettingChange> parse(const QString& setting, const QString& value,
                                              QString* error);
    // The lower-case name of a function id ("focus_preset"), empty for an unused id.
    static QString functionName(int id);
    // The value in the form the command line shows it.
    QString valueText() const;
};

} // namespace kelvara
