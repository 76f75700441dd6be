#include "LensFirmware.h"

#include <QCryptographicHash>

namespace kelvara::sim {

namespace {
QString modelWithMount(const LensProfile& p) {
    switch (p.mount) {
    case LensProfile::CanonRF:
        return p.modelName + QStringLiteral("RF");
    case LensProfile::NikonZ:
        return p.modelName + QStringLiteral("Z");
    case LensProfile::FujiX:
        return p.modelName + QStringLiteral("X");
    default:
        return p.modelName + QStringLiteral("SE");
    }
}

const char* const kNames[] = {"single", "multi", "badcrc", "badkey", "truncated", "oversize"};
} // namespace

LensFirmware::LensFirmware(const LensProfile& profile)
    : model_(modelWithMount(profile)), mainImageSize_(profile.firmwareImageSize) {
    // The program compares the major part only (unless it is 0), so the offer is the
    // next major version.
    major_ = quint8(profile.versionMajor + 1);
    minor_ = 0;
}

QStringList LensFirmware::kindNames() {
    QStringList names;
    for (const char* n : kNames)
        names << QString::fromLatin1(n);
    return names;
}

QString LensFirmware::name(Kind kind) {
    return QString::fromLatin1(kNames[int(kind)]);
}

std::optional<LensFirmware::Kind> LensFirmware::kindNamed(const QString& name) {
    const qsizetype i = kindNames().indexOf(name);
    if (i < 0)
        return std::nullopt;
    return Kind(i);
}

QString LensFirmware::version() const {
    return QStringLiteral("%1.%2")
        .arg(major_, 2, 16, QLatin1Char('0'))
        .arg(minor_, 2, 16, QLatin1Char('0'));
}

QString LensFirmware::fileName() const {
    return model_ + QStringLiteral("_%1%2.bin")
                        .arg(major_, 2, 16, QLatin1Char('0'))
                        .arg(minor_, 2, 16, QLatin1Char('0'));
}

QString LensFirmware::descriptionKey() const {
    // A fixed key per model, in the form of the real ones.
    return QString::fromLatin1(
        QCryptographicHash::hash(model_.toUtf8(), QCryptographicHash::Sha256).toHex());
}

QString LensFirmware::catalogueKey(Kind kind) const {
    if (kind != Kind::BadKey)
        return descriptionKey();
    QString broken = descriptionKey();
    broken.replace(10, 2, QStringLiteral("zq"));
    return broken;
}

QList<FirmwarePackage::Image> LensFirmware::images(Kind kind) const {
    const quint16 version = quint16(major_ << 8 | minor_);
    const auto image = [&](quint8 device, quint8 area, int size) {
        return FirmwarePackage::Image{
            device, area, version, FirmwarePackage::imageData(device, area, major_, minor_, size)};
    };
    const FirmwarePackage::Image main = image(0, 0, mainImageSize_);
    if (kind == Kind::Single || kind == Kind::BadKey)
        return {main};
    // Different devices and areas around the main image; sizes in whole blocks and not.
    return {image(1, 0, 4096), main, image(2, 1, 2500)};
}

QByteArray LensFirmware::package(Kind kind) const {
    FirmwarePackage::Flaw flaw = FirmwarePackage::Flaw::None;
    if (kind == Kind::BadCrc)
        flaw = FirmwarePackage::Flaw::BadCrc;
    else if (kind == Kind::Truncated)
        flaw = FirmwarePackage::Flaw::Truncated;
    else if (kind == Kind::Oversize)
        flaw = FirmwarePackage::Flaw::OversizeDeclared;
    return FirmwarePackage::build(images(kind), descriptionKey(), flaw);
}

} // namespace kelvara::sim
