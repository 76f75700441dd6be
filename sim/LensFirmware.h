#pragma once

#include "FirmwarePackage.h"
#include "LensProfile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace kelvara::sim {

// The firmware the update server offers for one lens model: one version above the
// profile's, its package under the catalogue's file name, in several shapes.
class LensFirmware {
  public:
    enum class Kind {
        Single,    // one main image
        Multi,     // images for several devices and areas, the main one in the middle
        BadCrc,    // the last image fails its CRC
        BadKey,    // the catalogue's key text is no key
        Truncated, // the last image's data is cut short
        Oversize,  // the last image declares more than an image may hold
    };

    explicit LensFirmware(const LensProfile& profile);

    static QStringList kindNames();
    static QString name(Kind kind);
    static std::optional<Kind> kindNamed(const QString& name);

    quint8 major() const { return major_; }
    quint8 minor() const { return minor_; }
    QString version() const;        // "02.06"
    QString fileName() const;       // model, mount suffix, "_", version digits, ".bin"
    QString descriptionKey() const; // 64 hexadecimal digits
    // The key text the catalogue names for a package of this kind.
    QString catalogueKey(Kind kind) const;
    QList<FirmwarePackage::Image> images(Kind kind) const;
    QByteArray package(Kind kind) const;

  private:
    QString model_;
    int mainImageSize_ = LensProfile::kDefaultFirmwareImageSize;
    quint8 major_ = 0;
    quint8 minor_ = 0;
};

} // namespace kelvara::sim
