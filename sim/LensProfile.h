#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <array>
#include <optional>

namespace kelvara::sim {

// What one lens is: the fields of its 256-byte information record, how it
// answers the connection request, and its factory settings image.
// Plain value type; read from JSON or taken from a built-in preset.
class LensProfile {
  public:
    static constexpr int kRecordSize = 256;
    static constexpr int kSettingsSize = 512;

    static constexpr quint8 LENS_TYPE_SINGLE = 0x02;
    static constexpr quint8 LENS_TYPE_BACK_RING = 0x04;
    static constexpr quint8 FM_APPLY_TIMING = 0x01;
    static constexpr quint8 FM_INCLUDE_OS = 0x02;

    enum Mount : quint8 { SonyE = 0, CanonRF = 1, NikonZ = 2, FujiX = 3 };
    enum Attach : quint8 { AttachAlone = 1, AttachThroughBody = 2, AttachWantsFirmware = 3 };

    QString name;
    QString modelName;   // up to 8 Latin-1 characters
    QString productName; // up to 64 Latin-1 characters
    quint8 mount = SonyE;
    quint8 versionMajor = 1;
    quint8 versionMinor = 0;
    quint8 lensType = 0;
    quint8 firmwareType = 0;
    quint8 buttonCount = 1;
    quint8 switchPositions = 0;
    quint8 connectTypes = 1;
    quint8 ringAngleMin = 0; // nibble
    quint8 ringAngleMax = 3; // nibble
    quint8 afFineAdjust = 10;
    quint8 focusSpeedMax = 7;
    quint8 presetTimeMax = 99;
    // Bytes of the main image in the firmware the update server offers: by default not a
    // whole number of blocks; larger ones make longer transfers.
    static constexpr int kDefaultFirmwareImageSize = 40 * 1024 + 300;
    int firmwareImageSize = kDefaultFirmwareImageSize;
    quint8 irisAngleMin = 0; // nibble
    quint8 irisAngleMax = 0; // nibble
    quint8 afLimitFlags = 1; // bit 0: the far AF limit is fixed at the last position
    std::array<quint8, 4> settingSupport{};
    quint8 switchSupport = 0;
    std::array<quint8, 8> buttonSupport{};
    std::array<quint8, 16> afLimitTable{};
    quint8 attachCode = AttachAlone;
    QByteArray factorySettings; // kSettingsSize bytes

    LensProfile();

    static QStringList presetNames();
    static std::optional<LensProfile> preset(const QString& name);
    static std::optional<LensProfile> fromJson(const QByteArray& json, QString* error);
    static std::optional<LensProfile> fromFile(const QString& path, QString* error);

    // The information record with the given firmware version in bytes 24/25.
    QByteArray record(quint8 major, quint8 minor) const;
    QByteArray record() const { return record(versionMajor, versionMinor); }

    // Number of usable AF limit positions (the table ends at the first zero after position 0).
    int limitPositionCount() const;
    void setSettingBit(int bit) { settingSupport[bit / 8] |= quint8(1u << (bit % 8)); }
    void setButtonFunction(int raw) { buttonSupport[raw / 8] |= quint8(1u << (raw % 8)); }
};

} // namespace kelvara::sim
