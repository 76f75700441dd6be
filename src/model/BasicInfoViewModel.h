#pragma once

#include "BasicInfo.h"
#include "ClosedRange.h"
#include "LimitPosition.h"
#include "MountType.h"
#include "SettingLimits.h"
#include "link/Bytes.h"

#include <QList>
#include <QObject>
#include <QString>

#include <array>
#include <cstdint>
#include <memory>

namespace kelvara {

class ProductInfoFileModel;

// The lens's 256-byte basic-information record decoded: identity, firmware version,
// construction, setting ranges, capability bits and AF limit positions; and the check
// for newer lens firmware. Used on the main thread.
class BasicInfoViewModel : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString productName READ productName NOTIFY changed)
    Q_PROPERTY(QString modelName READ modelName NOTIFY changed)
    Q_PROPERTY(QString currentVersion READ currentVersion NOTIFY changed)
    Q_PROPERTY(QString displayCurrentVersion READ displayCurrentVersion NOTIFY changed)
    Q_PROPERTY(quint8 majorVersion READ majorVersion NOTIFY changed)
    Q_PROPERTY(QString newVersion READ newVersion NOTIFY changed)
    Q_PROPERTY(QString displayNewVersion READ displayNewVersion NOTIFY changed)
    Q_PROPERTY(bool is_new READ is_new NOTIFY changed)
    Q_PROPERTY(quint8 lensType READ lensType NOTIFY changed)
    Q_PROPERTY(quint8 firmwareType READ firmwareType NOTIFY changed)
    Q_PROPERTY(int customButtonCount READ customButtonCount NOTIFY changed)
    Q_PROPERTY(int customSwitchStateCount READ customSwitchStateCount NOTIFY changed)
    Q_PROPERTY(quint8 supportConnectType READ supportConnectType NOTIFY changed)
    Q_PROPERTY(quint8 specialSpecAFLimitFixedInf READ specialSpecAFLimitFixedInf NOTIFY changed)
    Q_PROPERTY(kelvara::ClosedRange ringAngleRange READ ringAngleRange NOTIFY changed)
    Q_PROPERTY(quint8 ringAngleMin READ ringAngleMin NOTIFY changed)
    Q_PROPERTY(quint8 ringAngleMax READ ringAngleMax NOTIFY changed)
    Q_PROPERTY(kelvara::ClosedRange irisAngleRange READ irisAngleRange NOTIFY changed)
    Q_PROPERTY(quint8 irisAngleMin READ irisAngleMin NOTIFY changed)
    Q_PROPERTY(quint8 irisAngleMax READ irisAngleMax NOTIFY changed)
    Q_PROPERTY(kelvara::ClosedRange pintoRange READ pintoRange NOTIFY changed)
    Q_PROPERTY(int focusSpeedMax READ focusSpeedMax NOTIFY changed)
    Q_PROPERTY(kelvara::ClosedRange focusSpeedRange READ focusSpeedRange NOTIFY changed)
    Q_PROPERTY(int maxSec2 READ maxSec2 NOTIFY changed)
    Q_PROPERTY(QList<kelvara::LimitPosition> limitPosition READ limitPosition NOTIFY changed)
    Q_PROPERTY(
        QList<kelvara::LimitPosition> infLimitPositions READ infLimitPositions NOTIFY changed)
    Q_PROPERTY(
        QList<kelvara::LimitPosition> modLimitPositions READ modLimitPositions NOTIFY changed)

  public:
    static constexpr std::uint8_t FM_APPLY_TIMING = 1;
    static constexpr std::uint8_t FM_INCLUDE_OS = 2;
    static constexpr std::uint8_t LENS_TYPE_BACK_RING = 4;
    static constexpr std::uint8_t LENS_TYPE_SINGLE = 2;
    static constexpr int IDENTITY_HEADER_SIZE = 16;

    explicit BasicInfoViewModel(QObject* parent = nullptr);
    ~BasicInfoViewModel() override;

    const Bytes& rom() const { return rom_; }
    void setRom(Bytes rom) { rom_ = std::move(rom); }

    // The last record decoded.
    const BasicInfo& info() const { return info_; }
    // Decodes `rom` into the fields and starts the firmware check. A record of any
    // length but 256 bytes changes nothing.
    void parseRom();
    // Model name field, firmware version bytes and six zeros: the settings file's
    // header. Empty when `rom` is shorter than 26 bytes.
    Bytes identityHeader() const;
    Q_INVOKABLE bool isSettingSupported(int bit) const;
    Q_INVOKABLE bool isButtonFunctionSupported(int rawFunction) const;
    Q_INVOKABLE bool isAFCustomizeVisible() const;
    // Something can be customised: any of setting support bits 1, 0, 2, 3, 4, 5, or the
    // AF customisation.
    bool hasCustomSettings() const;
    SettingLimits settingLimits() const;
    QList<LimitPosition> infLimitPositions() const;
    QList<LimitPosition> modLimitPositions() const;
    // Outcome of the firmware check, on the main thread, with the catalogue's versions.
    void productInfoLoaded(bool ok, const QString& version, const QString& displayNewVersion);

    QString productName() const { return info_.productName; }
    MountType mountType() const { return mountType_; }
    QString modelName() const { return info_.modelName; }
    QString currentVersion() const { return currentVersion_; }
    QString displayCurrentVersion() const { return displayCurrentVersion_; }
    quint8 majorVersion() const { return info_.versionMajor; }
    QString newVersion() const { return newVersion_; }
    QString displayNewVersion() const { return displayNewVersion_; }
    bool is_new() const { return is_new_; }
    quint8 lensType() const { return info_.lensType; }
    quint8 firmwareType() const { return info_.firmwareType; }
    quint8 customButtonCount() const { return info_.customButtonCount; }
    quint8 customSwitchStateCount() const { return info_.customSwitchStateCount; }
    quint8 supportConnectType() const { return info_.supportConnectType; }
    quint8 specialSpecAFLimitFixedInf() const { return info_.specialSpecAFLimitFixedInf; }
    ClosedRange ringAngleRange() const { return ringAngleRange_; }
    quint8 ringAngleMin() const { return ringAngleMin_; }
    quint8 ringAngleMax() const { return ringAngleMax_; }
    ClosedRange irisAngleRange() const { return irisAngleRange_; }
    quint8 irisAngleMin() const { return irisAngleMin_; }
    quint8 irisAngleMax() const { return irisAngleMax_; }
    ClosedRange pintoRange() const { return pintoRange_; }
    int focusSpeedMax() const { return focusSpeedMax_; }
    ClosedRange focusSpeedRange() const { return focusSpeedRange_; }
    int maxSec2() const { return info_.longestTime / 10; }
    QList<LimitPosition> limitPosition() const { return limitPosition_; }
    const std::array<std::uint8_t, 4>& lensSettingSupport() const {
        return info_.lensSettingSupport;
    }
    std::array<std::uint8_t, 4> customSwitchSupport() const { return {info_.customSwitchSupport}; }
    const std::array<std::uint8_t, 8>& customButtonSupport() const {
        return info_.customButtonSupport;
    }
    ProductInfoFileModel& product_info() const { return *product_info_; }

  signals:
    void changed();
    // parseRom decoded a record; `changed` follows.
    void recordDecoded();
    // The check for newer lens firmware started, and its outcome.
    void firmwareCheckStarted();
    void firmwareCheckFinished(bool ok);

  private:
    void startFirmwareCheck();

    MountType mountType_ = SonyE;
    QString currentVersion_;
    QString displayCurrentVersion_;
    QString newVersion_ = QStringLiteral("--");
    QString displayNewVersion_ = QStringLiteral("--");
    bool is_new_ = false;
    ClosedRange ringAngleRange_{-5.0, 5.0};
    quint8 ringAngleMin_ = 0;
    quint8 ringAngleMax_ = 0;
    ClosedRange irisAngleRange_{0.0, 3.0};
    quint8 irisAngleMin_ = 0;
    quint8 irisAngleMax_ = 0;
    ClosedRange pintoRange_{-10.0, 10.0};
    int focusSpeedMax_ = 0;
    ClosedRange focusSpeedRange_{0.0, 6.0};
    std::unique_ptr<ProductInfoFileModel> product_info_;
    Bytes rom_;
    BasicInfo info_;
    // Lets a check finishing after this model is gone find out; read on the main thread only.
    std::shared_ptr<BasicInfoViewModel*> self_;
    QList<LimitPosition> limitPosition_;

    // The reader takes one request at a time: a check asked for while one runs waits
    // for it, and the earlier outcome, which belongs to an older record, is dropped.
    bool checkRunning_ = false;
    QString pendingCheckAddress_;
};

} // namespace kelvara
