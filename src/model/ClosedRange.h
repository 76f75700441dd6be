#pragma once

#include <QMetaType>

namespace kelvara {

// A closed range lower ... upper of doubles, as the lens publishes its setting limits.
class ClosedRange {
    Q_GADGET
    Q_PROPERTY(double lower MEMBER lower)
    Q_PROPERTY(double upper MEMBER upper)
  public:
    double lower = 0.0;
    double upper = 0.0;

    bool contains(double v) const { return lower <= v && v <= upper; }
    // Outside the range a positive value goes to the upper end, any other to the lower
    // end: a positive value below a positive lower end therefore becomes the upper end.
    double clamp(double v) const { return contains(v) ? v : (v > 0 ? upper : lower); }

    friend bool operator==(const ClosedRange&, const ClosedRange&) = default;
};

} // namespace kelvara

Q_DECLARE_METATYPE(kelvara::ClosedRange)
