#pragma once

#include <QMetaType>
#include <QString>

namespace kelvara {

// One AF limit position of the lens: its index in the lens's table and the text shown.
class LimitPosition {
    Q_GADGET
    Q_PROPERTY(int id MEMBER id)
    Q_PROPERTY(QString name MEMBER name)
  public:
    int id = 0;
    QString name;

    friend bool operator==(const LimitPosition&, const LimitPosition&) = default;
};

} // namespace kelvara

Q_DECLARE_METATYPE(kelvara::LimitPosition)
