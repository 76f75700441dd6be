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
constexpr int MODEL_NAME_WIDTH = 8;
constexpr int PRODUCT_NAME_OFFSET = 96;
constexpr int PRODUCT_NAME_WIDTH = 64;
constexpr int LIMIT_TABLE_OFFSET = 64;
constexpr int LIMIT_TABLE_SIZE = 16;
constexpr int AF_CUSTOMIZE_BIT = 7;

// Characters of a fixed-width field up to its first zero byte, one code point per byte.
QString latin1Field(const Bytes& rom, int offset, int width) {
    const auto begin = rom.begin() + offset;
    const auto end = std::find(begin, begin + width, std::uint8_t(0));
    return QString::fromLatin1(reinterpret_cast<const char*>(&*begin), end - begin);
}

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

QList<LimitPosition> decodeLimitPositions(const Bytes& rom) {
    QList<LimitPosition> positions;
    for (int i = 0; i < LIMIT_TABLE_SIZE; ++i) {
        const int v = rom[std::size_t(LIMIT_TABLE_OFFSET + i)];
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
    const Bytes& r = rom_;
    if (r.size() != std::size_t(ROM_SIZE))
        return;

    lensType_ = r[0];
    firmwareType_ = r[1];
    customButtonCount_ = r[3];
    customSwitchStateCount_ = r[4];
    supportConnectType_ = r[6];
    specialSpecAFLimitFixedInf_ = r[15];

    if (r[5] <= FujiX)
        mountType_ = MountType(r[5]);
    ServerModel::setMountPath(ServerModel::mountPathFor(mountType_));

    majorVersion_ = r[25];
    currentVersion_ = hex2(r[25]) + QLatin1Char('.') + hex2(r[24]);
    displayCurrentVersion_ = majorVersion_ != 0 ? hex2(majorVersion_) : currentVersion_;

    modelName_ = latin1Field(r, MODEL_NAME_OFFSET, MODEL_NAME_WIDTH);
    ServerModel::setModelName(modelName_);

    emit firmwareCheckStarted();
    startFirmwareCheck();

    std::tie(ringAngleMin_, ringAngleMax_) = nibbleRange(r[7]);
    ringAngleRange_ = {double(ringAngleMin_), double(ringAngleMax_)};

    const int n = r[8] == 0 ? 1 : r[8];
    pintoRange_ = {double(-n), double(n)};

    focusSpeedMax_ = r[9] == 0 ? 1 : r[9];
    focusSpeedRange_ = {0.0, double(focusSpeedMax_)};

    maxSec2_ = r[10] / 10;

    std::tie(irisAngleMin_, irisAngleMax_) = nibbleRange(r[11]);
    irisAngleRange_ = {double(irisAngleMin_), double(irisAngleMax_)};

    std::copy_n(r.begin() + 32, 4, lensSettingSupport_.begin());
    customSwitchSupport_[0] = r[40];
    std::copy_n(r.begin() + 48, 8, customButtonSupport_.begin());

    limitPosition_ = decodeLimitPositions(r);
    productName_ = latin1Field(r, PRODUCT_NAME_OFFSET, PRODUCT_NAME_WIDTH);

    emit recordDecoded();
    emit changed();
}

void BasicInfoViewModel::startFirmwareCheck() {
    const QString address = ServerModel::productInfoAddress(modelName_, mountType_);
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
    return (lensSettingSupport_[std::size_t(bit / 8)] >> (bit % 8)) & 1;
}

bool BasicInfoViewModel::isButtonFunctionSupported(int rawFunction) const {
    // The iris preset-time functions are refused whatever the lens claims.
    if (rawFunction < 0 || rawFunction > 31 || rawFunction == 24 || rawFunction == 25)
        return false;
    return (customButtonSupport_[std::size_t(rawFunction / 8)] >> (rawFunction % 8)) & 1;
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
            focusSpeedRange_, maxSec2_,    int(limitPosition_.size())};
}

QList<LimitPosition> BasicInfoViewModel::infLimitPositions() const {
    if (specialSpecAFLimitFixedInf_ & 1)
        return limitPosition_.isEmpty() ? QList<LimitPosition>{}
                                        : QList<LimitPosition>{limitPosition_.last()};
    return limitPosition_.mid(1);
}

QList<LimitPosition> BasicInfoViewModel::modLimitPositions() const {
    return limitPosition_.isEmpty() ? limitPosition_
                                    : limitPosition_.first(limitPosition_.size() - 1);
}

} // namespace kelvara
