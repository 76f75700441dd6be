#include "ServerModel.h"

#include "platform/Environment.h"
#include "platform/Texts.h"

namespace kelvara {

QString ServerModel::baseUrl() {
    return Environment::current()->updateBaseUrl();
}

QString ServerModel::utilityInfoAddress() {
    return baseUrl() + QStringLiteral("/kelvara/utility/KelvaraInfoMac.xml");
}

QString ServerModel::productInfoAddress(const QString& modelName, int mountCode) {
    return baseUrl() + QStringLiteral("/kelvara/lens/") + modelName + mountSuffix(mountCode) +
           QStringLiteral(".xml");
}

QString ServerModel::firmwareAddress(const QString& firmwareFileName) {
    return baseUrl() + QStringLiteral("/kelvara/lens/") + firmwareFileName;
}

QString ServerModel::firmwareContentAddress() {
    return Texts::url("Firmware_ContentConfirmationURL") + modelName().toLower() + mountPath();
}

QString ServerModel::personalInformationAddress() {
    return Texts::url("VersionInfo_PersonalInformation_URL");
}

QString ServerModel::modelName() {
    return Environment::current()->lensModelName();
}

void ServerModel::setModelName(const QString& name) {
    Environment::current()->setLensModelName(name);
}

QString ServerModel::mountPath() {
    return Environment::current()->lensMountPath();
}

void ServerModel::setMountPath(const QString& path) {
    Environment::current()->setLensMountPath(path);
}

QString ServerModel::mountSuffix(int mountCode) {
    switch (mountCode) {
    case 1:
        return QStringLiteral("RF");
    case 2:
        return QStringLiteral("Z");
    case 3:
        return QStringLiteral("X");
    default:
        return QStringLiteral("SE");
    }
}

QString ServerModel::mountPathFor(int mountCode) {
    switch (mountCode) {
    case 1:
        return QStringLiteral("/canon_rf/");
    case 2:
        return QStringLiteral("/nikon_z/");
    case 3:
        return QStringLiteral("/fujifilm_x/");
    default:
        return QStringLiteral("/sony_e/");
    }
}

} // namespace kelvara
