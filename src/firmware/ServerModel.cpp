#include "ServerModel.h"

#include "platform/Texts.h"

#include <QCoreApplication>

#include <mutex>
#include <optional>

#ifndef KELVARA_UPDATE_BASE_URL
#define KELVARA_UPDATE_BASE_URL "http://update.kelvara.example"
#endif

namespace kelvara {

namespace {

struct Shared {
    std::mutex mutex;
    std::optional<QString> baseUrl;
    std::optional<QString> personalInformation;
    QString modelName;
    QString mountPath;
};

Shared& shared() {
    static Shared s;
    return s;
}

// One form for every source, so that paths can simply be appended.
QString withoutTrailingSlash(QString url) {
    while (url.endsWith(QLatin1Char('/')))
        url.chop(1);
    return url;
}

} // namespace

QString ServerModel::baseUrl() {
    std::lock_guard lock(shared().mutex);
    if (!shared().baseUrl) {
        const QString fromEnvironment = qEnvironmentVariable("KELVARA_UPDATE_URL");
        shared().baseUrl = withoutTrailingSlash(
            fromEnvironment.isEmpty() ? QStringLiteral(KELVARA_UPDATE_BASE_URL) : fromEnvironment);
    }
    return *shared().baseUrl;
}

void ServerModel::setBaseUrl(const QString& url) {
    std::lock_guard lock(shared().mutex);
    shared().baseUrl = withoutTrailingSlash(url);
}

QString ServerModel::utilityInfoAddress() {
    return baseUrl() + QStringLiteral("/kelvara/utility/KelvaraInfoMac.xml");
}

QString ServerModel::productInfoAddress(const QString& modelName, MountType mount) {
    return baseUrl() + QStringLiteral("/kelvara/lens/") + modelName + mountSuffix(mount) +
           QStringLiteral(".xml");
}

QString ServerModel::firmwareAddress(const QString& firmwareFileName) {
    return baseUrl() + QStringLiteral("/kelvara/lens/") + firmwareFileName;
}

QString ServerModel::firmwareContentAddress() {
    return Texts::url("Firmware_ContentConfirmationURL") + modelName().toLower() + mountPath();
}

QString ServerModel::personalInformationAddress() {
    std::lock_guard lock(shared().mutex);
    if (!shared().personalInformation)
        shared().personalInformation = Texts::url("VersionInfo_PersonalInformation_URL");
    return *shared().personalInformation;
}

QString ServerModel::modelName() {
    std::lock_guard lock(shared().mutex);
    return shared().modelName;
}

void ServerModel::setModelName(const QString& name) {
    std::lock_guard lock(shared().mutex);
    shared().modelName = name;
}

QString ServerModel::mountPath() {
    std::lock_guard lock(shared().mutex);
    return shared().mountPath;
}

void ServerModel::setMountPath(const QString& path) {
    std::lock_guard lock(shared().mutex);
    shared().mountPath = path;
}

QString ServerModel::mountSuffix(MountType mount) {
    switch (mount) {
    case CanonRF:
        return QStringLiteral("RF");
    case NikonZ:
        return QStringLiteral("Z");
    case FujiX:
        return QStringLiteral("X");
    case SonyE:
        break;
    }
    return QStringLiteral("SE");
}

QString ServerModel::mountPathFor(MountType mount) {
    switch (mount) {
    case CanonRF:
        return QStringLiteral("/canon_rf/");
    case NikonZ:
        return QStringLiteral("/nikon_z/");
    case FujiX:
        return QStringLiteral("/fujifilm_x/");
    case SonyE:
        break;
    }
    return QStringLiteral("/sony_e/");
}

QString ServerModel::mountSuffixForRaw(int rawMount) {
    switch (rawMount) {
    case 1:
        return mountSuffix(CanonRF);
    case 2:
        return mountSuffix(NikonZ);
    case 3:
        return mountSuffix(FujiX);
    default:
        return mountSuffix(SonyE);
    }
}

void ServerModel::reset() {
    std::lock_guard lock(shared().mutex);
    shared().baseUrl.reset();
    shared().personalInformation.reset();
    shared().modelName.clear();
    shared().mountPath.clear();
}

} // namespace kelvara
