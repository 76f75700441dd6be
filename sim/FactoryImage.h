#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

namespace kelvara::sim {

class LensProfile;

// The 512-byte settings image a lens leaves the factory with.
class FactoryImage {
  public:
    // Settings that make sense for the lens: switch and button functions it
    // supports, AF limits spanning its table, speeds and angles in range.
    static QByteArray defaults(const LensProfile& lens);

    // Overwrites the named settings given in fields; false and an error text on
    // an unknown name or a value that does not fit its encoding.
    static bool apply(QByteArray& image, const QJsonObject& fields, QString* error);
};

} // namespace kelvara::sim
