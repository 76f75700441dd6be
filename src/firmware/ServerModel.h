#pragma once

#include "model/MountType.h"

#include <QString>

namespace kelvara {

// Update-server addresses and the shared values per-lens addresses are formed from.
// No per-instance state; every value is shared, thread-safe and created on first use.
class ServerModel {
  public:
    // Base URL: the build setting KELVARA_UPDATE_BASE_URL, unless the environment
    // variable KELVARA_UPDATE_URL or setBaseUrl (--server) overrides it.
    static QString baseUrl();
    static void setBaseUrl(const QString& url);

    static QString utilityInfoAddress();
    static QString productInfoAddress(const QString& modelName, MountType mount);
    static QString firmwareAddress(const QString& firmwareFileName);
    // Localised "Firmware_ContentConfirmationURL" + modelName in lower case + mountPath.
    static QString firmwareContentAddress();
    // Localised "VersionInfo_PersonalInformation_URL".
    static QString personalInformationAddress();

    static QString modelName();
    static void setModelName(const QString& name);
    static QString mountPath();
    static void setMountPath(const QString& path);

    static QString mountSuffix(MountType mount);
    static QString mountPathFor(MountType mount);
    // The safe-mode form: a raw mount byte other than 1, 2 or 3 gives "SE".
    static QString mountSuffixForRaw(int rawMount);

    // Back to the initial values (tests).
    static void reset();
};

} // namespace kelvara
