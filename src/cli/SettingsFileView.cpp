#include "SettingsFileView.h"

#include "controller/AppViewModel.h"
#include "controller/SettingsFile.h"
#include "model/BasicInfo.h"
#include "model/BasicInfoViewModel.h"
#include "model/LensSettingViewModel.h"

#include <QFile>

#include <algorithm>

namespace kelvara {

namespace {
// The model name and the two firmware version bytes, where the record and the file hold
// them.
constexpr std::size_t IDENTITY_OFFSET = 16;
constexpr std::size_t IDENTITY_SIZE = 10;
constexpr std::uint8_t ALL_BITS = 0xFF;
constexpr std::uint8_t INFINITY_POSITION = 0xFF;
} // namespace

std::optional<Bytes> SettingsFileView::read(const QString& path, const Bytes& rom,
                                            QString* textId) {
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly)) {
        *textId = QStringLiteral("Home_FileLoadError");
        return std::nullopt;
    }
    // One byte more than a settings file has tells a longer file.
    const Bytes file = toBytes(in.read(qint64(SettingsFile::FILE_SIZE) + 1));
    if (in.error() != QFileDevice::NoError) {
        *textId = QStringLiteral("Home_FileLoadError");
        return std::nullopt;
    }
    if (!SettingsFile::imageFor(file, rom.empty() ? recordFor(file) : rom)) {
        *textId = QStringLiteral("Home_FileIllegal");
        return std::nullopt;
    }
    return file;
}

Bytes SettingsFileView::recordFor(const Bytes& file) {
    BasicInfo info;
    info.customButtonCount = 1;
    info.customSwitchStateCount = 3;
    info.ringAngleLimits = 0xF0;
    info.irisAngleLimits = 0xF0;
    info.pintoLimit = 0x7F;
    info.focusSpeedLimit = ALL_BITS;
    info.longestTime = 99;
    info.specialSpecAFLimitFixedInf = 0;
    info.lensSettingSupport.fill(ALL_BITS);
    info.customSwitchSupport = ALL_BITS;
    info.customButtonSupport.fill(ALL_BITS);
    info.limitTable.fill(INFINITY_POSITION);
    info.limitTable[0] = 0; // the closest
    Bytes record = info.encode();
    if (file.size() >= IDENTITY_SIZE)
        std::copy(file.begin(), file.begin() + IDENTITY_SIZE, record.begin() + IDENTITY_OFFSET);
    return record;
}

void SettingsFileView::load(AppViewModel& c, const Bytes& file, bool record) {
    if (record) {
        c.basic_info()->setRom(recordFor(file));
        c.basic_info()->parseRom();
    }
    c.lens_setting()->setE2p(
        Bytes(file.begin() + SettingsFile::HEADER_SIZE,
              file.begin() + SettingsFile::HEADER_SIZE + SettingsFile::BODY_SIZE));
    c.lens_setting()->parseE2p();
}

} // namespace kelvara
