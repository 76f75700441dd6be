#pragma once

#include <QString>

namespace kelvara {

// Update-server addresses and the values per-lens addresses are formed from. No
// per-instance state; the values belong to the current environment.
class ServerModel {
  public:
    // The current environment's update base URL (build setting, KELVARA_UPDATE_URL or
    // --server), without a trailing slash.
    static QString baseUrl();

    // A mount code is the one of the basic-information record: 1 Canon RF, 2 Nikon Z,
    // 3 Fujifilm X; any other is Sony E.
    static QString utilityInfoAddress();
    static QString productInfoAddress(const QString& modelName, int mountCode);
    static QString firmwareAddress(const QString& firmwareFileName);
    // Localised "Firmware_ContentConfirmationURL" + modelName in lower case + mountPath.
    static QString firmwareContentAddress();
    // Localised "VersionInfo_PersonalInformation_URL".
    static QString personalInformationAddress();

    static QString modelName();
    static void setModelName(const QString& name);
    static QString mountPath();
    static void setMountPath(const QString& path);

    static QString mountSuffix(int mountCode);
    static QString mountPathFor(int mountCode);
};

} // namespace kelvara
