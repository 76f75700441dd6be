#include "BasicInfoViewModel.h"

#include "firmware/ProductInfoFileModel.h"
#include "firmware/ServerModel.h"
#include "platform/MainThread.h"
#include "platform/Preferences.h"

#include <algorithm>
#include <tuple>
#include <utility>

namespace kelvara {

namespace {

constexpr int MODEL_NAME_OFFSET = 16;
constexpr int AF_CUSTOMIZE_BIT = 7;

QString hex2(std::uint8_t value) {
    return QString::asprintf("%02x", unsigned(value));
}

// A record may give the ends of a nibble range in either order; the range runs from the
// smaller to the larger.
std::pair<quint8, quint8> nibbleRange(std::uint8_t byte) {
    const quint8 high = byte >> 4;
    const quint8 low = byte & 0x0F;
    return {std::min(high, low), std::max(high, low)};
}

QList<LimitPosition> decodeLimitPositions(const std::array<std::uint8_t, 16>& table) {
    QList<LimitPosition> positions;
    for (int i = 0; i < int(table.size()); ++i) {
        const int v = table[std::size_t(i)];
        if (v == 0xFF) {
            positions.append({i, qtTrId("CustomSetting_AfInf")});
        } else if (v == 0) {
            if (i > 0)
                break;
            positions.append({0, qtTrId("CustomSetting_AfMod")});
        } else if (v < 10) {
            positions.append({i, QStringLiteral("0.%1m").arg(v)});
        } else {
            positions.append({i, QStringLiteral("%1m").arg(v / 10)});
        }
    }
    return positions;
}

} // namespace

BasicInfoViewModel::BasicInfoViewModel(QObject* parent)
    : QObject(parent), product_info_(std::make_unique<ProductInfoFileModel>()),
      self_(std::make_shared<BasicInfoViewModel*>(this)) {
    // Set once, never while a request runs: the reader calls it from its own thread,
    // where its fields are safe to read. The texts cross as plain copies so that no
    // string data stays shared between the threads.
    ProductInfoFileModel* reader = product_info_.get();
    reader->onComplete = [self = self_, reader](bool ok) {
        MainThread::post([self, ok, version = reader->version.toStdU16String(),
                          display = reader->displayNewVersion.toStdU16String()] {
            if (*self)
                (*self)->productInfoLoaded(ok, QString::fromStdU16String(version),
                                           QString::fromStdU16String(display));
        });
    };
}

BasicInfoViewModel::~BasicInfoViewModel() {
    *self_ = nullptr;
}

void BasicInfoViewModel::parseRom() {
    const std::optional<BasicInfo> decoded = BasicInfo::decode(rom_);
    if (!decoded)
        return;
    const BasicInfo& r = *decoded;
    info_ = r;

    if (r.mount <= FujiX)
        mountType_ = MountType(r.mount);
    ServerModel::setMountPath(ServerModel::mountPathFor(mountType_));

    currentVersion_ = hex2(r.versionMajor) + QLatin1Char('.') + hex2(r.versionMinor);
    displayCurrentVersion_ = r.versionMajor != 0 ? hex2(r.versionMajor) : currentVersion_;

    ServerModel::setModelName(r.modelName);

    emit firmwareCheckStarted();
    startFirmwareCheck();

    std::tie(ringAngleMin_, ringAngleMax_) = nibbleRange(r.ringAngleLimits);
    ringAngleRange_ = {double(ringAngleMin_), double(ringAngleMax_)};

    const int n = r.pintoLimit == 0 ? 1 : r.pintoLimit;
    pintoRange_ = {double(-n), double(n)};

    focusSpeedMax_ = r.focusSpeedLimit == 0 ? 1 : r.focusSpeedLimit;
    focusSpeedRange_ = {0.0, double(focusSpeedMax_)};

    std::tie(irisAngleMin_, irisAngleMax_) = nibbleRange(r.irisAngleLimits);
    irisAngleRange_ = {double(irisAngleMin_), double(irisAngleMax_)};

    limitPosition_ = decodeLimitPositions(r.limitTable);

    emit recordDecoded();
    emit changed();
}

void BasicInfoViewModel::startFirmwareCheck() {
    const QString address = ServerModel::productInfoAddress(info_.modelName, mountType_);
    if (checkRunning_) {
        pendingCheckAddress_ = address;
        return;
    }
    checkRunning_ = true;
    product_info_->requestFile(address);
}

void BasicInfoViewModel::productInfoLoaded(bool ok, const QString& version,
                                           const QString& displayNewVersion) {
    checkRunning_ = false;
    if (!pendingCheckAddress_.isEmpty()) {
        // This outcome answered an earlier record; the current one is still to be asked.
        checkRunning_ = true;
        product_info_->requestFile(std::exchange(pendingCheckAddress_, QString()));
        return;
    }
    if (ok) {
        newVersion_ = version;
        displayNewVersion_ = displayNewVersion;
        // A catalogue that names no version (a 404 before any document) offers nothing.
        is_new_ = displayNewVersion_ != QLatin1String("--") &&
                  displayCurrentVersion_ != displayNewVersion_;
    } else {
        newVersion_ = QStringLiteral("--");
        displayNewVersion_ = QStringLiteral("--");
        is_new_ = false;
    }
    emit firmwareCheckFinished(ok);
    emit changed();
}

Bytes BasicInfoViewModel::identityHeader() const {
    if (rom_.size() < 26)
        return {};
    Bytes header(rom_.begin() + MODEL_NAME_OFFSET, rom_.begin() + 26);
    header.resize(IDENTITY_HEADER_SIZE, 0);
    return header;
}

bool BasicInfoViewModel::isSettingSupported(int bit) const {
    if (bit < 0 || bit >= 32)
        return false;
    return (info_.lensSettingSupport[std::size_t(bit / 8)] >> (bit % 8)) & 1;
}

bool BasicInfoViewModel::isButtonFunctionSupported(int rawFunction) const {
    // The iris preset-time functions are refused whatever the lens claims.
    if (rawFunction < 0 || rawFunction > 31 || rawFunction == 24 || rawFunction == 25)
        return false;
    return (info_.customButtonSupport[std::size_t(rawFunction / 8)] >> (rawFunction % 8)) & 1;
}

bool BasicInfoViewModel::isAFCustomizeVisible() const {
    return isSettingSupported(AF_CUSTOMIZE_BIT) &&
           Preferences::boolValue(QString::fromLatin1(Preferences::VISIBLE_AF_CUSTOMIZE));
}

bool BasicInfoViewModel::hasCustomSettings() const {
    for (int bit : {1, 0, 2, 3, 4, 5}) {
        if (isSettingSupported(bit))
            return true;
    }
    return isAFCustomizeVisible();
}

SettingLimits BasicInfoViewModel::settingLimits() const {
    return {ringAngleRange_,  pintoRange_, irisAngleRange_,
            focusSpeedRange_, maxSec2(),   int(limitPosition_.size())};
}

QList<LimitPosition> BasicInfoViewModel::infLimitPositions() const {
    if (info_.specialSpecAFLimitFixedInf & 1)
        return limitPosition_.isEmpty() ? QList<LimitPosition>{}
                                        : QList<LimitPosition>{limitPosition_.last()};
    return limitPosition_.mid(1);
}

QList<LimitPosition> BasicInfoViewModel::modLimitPositions() const {
    return limitPosition_.isEmpty() ? limitPosition_
                                    : limitPosition_.first(limitPosition_.size() - 1);
}

} // namespace kelvara
