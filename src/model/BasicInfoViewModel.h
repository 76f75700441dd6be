#pragma once

#include "ClosedRange.h"
#include "LimitPosition.h"
#include "MountType.h"
#include "controller/MenuId.h"
#include "link/Bytes.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <array>
#include <cstdint>
#include <memory>

namespace kelvara {

class AppViewModel;
class HomeImageViewModel;
class ProductInfoFileModel;

// The lens's 256-byte basic-information record decoded: identity, firmware version,
// construction, setting ranges, capability bits and AF limit positions; and the check
// for newer lens firmware. Used on the main thread.
class BasicInfoViewModel : public QObject {
    Q_OBJECT
    Q_MOC_INCLUDE("ui/HomeImageViewModel.h")
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
    Q_PROPERTY(kelvara::HomeImageViewModel* homeImageViewModel READ homeImageViewModel CONSTANT)

  public:
    static constexpr std::uint8_t FM_APPLY_TIMING = 1;
    static constexpr std::uint8_t FM_INCLUDE_OS = 2;
    static constexpr std::uint8_t LENS_TYPE_BACK_RING = 4;
    static constexpr std::uint8_t LENS_TYPE_SINGLE = 2;
    static constexpr int ROM_SIZE = 256;
    static constexpr int IDENTITY_HEADER_SIZE = 16;

    explicit BasicInfoViewModel(QObject* parent = nullptr);
    ~BasicInfoViewModel() override;

    // The controller; of it only `footer_message` is used here.
    QPointer<AppViewModel> owner;

    const Bytes& rom() const { return rom_; }
    void setRom(Bytes rom) { rom_ = std::move(rom); }

    // Decodes `rom` into the fields and starts the firmware check. A record of any
    // length but 256 bytes changes nothing.
    void parseRom();
    // Model name field, firmware version bytes and six zeros: the settings file's
    // header. Empty when `rom` is shorter than 26 bytes.
    Bytes identityHeader() const;
    Q_INVOKABLE bool isSettingSupported(int bit) const;
    Q_INVOKABLE bool isButtonFunctionSupported(int rawFunction) const;
    Q_INVOKABLE bool isAFCustomizeVisible() const;
    MenuId firstPage() const;
    QList<LimitPosition> infLimitPositions() const;
    QList<LimitPosition> modLimitPositions() const;
    // Outcome of the firmware check, on the main thread, with the catalogue's versions.
    void productInfoLoaded(bool ok, const QString& version, const QString& displayNewVersion);

    QString productName() const { return productName_; }
    MountType mountType() const { return mountType_; }
    QString modelName() const { return modelName_; }
    QString currentVersion() const { return currentVersion_; }
    QString displayCurrentVersion() const { return displayCurrentVersion_; }
    quint8 majorVersion() const { return majorVersion_; }
    QString newVersion() const { return newVersion_; }
    QString displayNewVersion() const { return displayNewVersion_; }
    bool is_new() const { return is_new_; }
    quint8 lensType() const { return lensType_; }
    quint8 firmwareType() const { return firmwareType_; }
    quint8 customButtonCount() const { return customButtonCount_; }
    quint8 customSwitchStateCount() const { return customSwitchStateCount_; }
    quint8 supportConnectType() const { return supportConnectType_; }
    quint8 specialSpecAFLimitFixedInf() const { return specialSpecAFLimitFixedInf_; }
    ClosedRange ringAngleRange() const { return ringAngleRange_; }
    quint8 ringAngleMin() const { return ringAngleMin_; }
    quint8 ringAngleMax() const { return ringAngleMax_; }
    ClosedRange irisAngleRange() const { return irisAngleRange_; }
    quint8 irisAngleMin() const { return irisAngleMin_; }
    quint8 irisAngleMax() const { return irisAngleMax_; }
    ClosedRange pintoRange() const { return pintoRange_; }
    int focusSpeedMax() const { return focusSpeedMax_; }
    ClosedRange focusSpeedRange() const { return focusSpeedRange_; }
    int maxSec2() const { return maxSec2_; }
    QList<LimitPosition> limitPosition() const { return limitPosition_; }
    const std::array<std::uint8_t, 4>& lensSettingSupport() const { return lensSettingSupport_; }
    const std::array<std::uint8_t, 4>& customSwitchSupport() const { return customSwitchSupport_; }
    const std::array<std::uint8_t, 8>& customButtonSupport() const { return customButtonSupport_; }
    ProductInfoFileModel& product_info() const { return *product_info_; }
    HomeImageViewModel* homeImageViewModel() const { return homeImageViewModel_; }

  signals:
    void changed();

  private:
    void startFirmwareCheck();
    void setFooter(const QString& text);

    QString productName_;
    MountType mountType_ = SonyE;
    QString modelName_;
    QString currentVersion_;
    QString displayCurrentVersion_;
    quint8 majorVersion_ = 0;
    QString newVersion_ = QStringLiteral("--");
    QString displayNewVersion_ = QStringLiteral("--");
    bool is_new_ = false;
    quint8 lensType_ = 0;
    quint8 firmwareType_ = 0;
    quint8 customButtonCount_ = 0;
    quint8 customSwitchStateCount_ = 0;
    quint8 supportConnectType_ = 1;
    quint8 specialSpecAFLimitFixedInf_ = 1;
    ClosedRange ringAngleRange_{-5.0, 5.0};
    quint8 ringAngleMin_ = 0;
    quint8 ringAngleMax_ = 0;
    ClosedRange irisAngleRange_{0.0, 3.0};
    quint8 irisAngleMin_ = 0;
    quint8 irisAngleMax_ = 0;
    ClosedRange pintoRange_{-10.0, 10.0};
    int focusSpeedMax_ = 0;
    ClosedRange focusSpeedRange_{0.0, 6.0};
    int maxSec2_ = 0;
    std::unique_ptr<ProductInfoFileModel> product_info_;
    std::array<std::uint8_t, 4> lensSettingSupport_{};
    std::array<std::uint8_t, 4> customSwitchSupport_{};
    std::array<std::uint8_t, 8> customButtonSupport_{};
    Bytes rom_;
    // Lets a check finishing after this model is gone find out; read on the main thread only.
    std::shared_ptr<BasicInfoViewModel*> self_;
    HomeImageViewModel* homeImageViewModel_;
    QList<LimitPosition> limitPosition_;

    // The reader takes one request at a time: a check asked for while one runs waits
    // for it, and the earlier outcome, which belongs to an older record, is dropped.
    bool checkRunning_ = false;
    QString pendingCheckAddress_;
};

} // namespace kelvara
