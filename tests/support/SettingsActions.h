#pragma once

#include "SettingsEdits.h"
#include "link/CommDataFormat.h"
#include "model/LensSettingViewModel.h"

#include <QVariantMap>

#include <functional>
#include <utility>

namespace kelvara::test {

// One edit of the settings model, as a page or a popup makes it.
using SettingsAction = std::function<void(LensSettingViewModel&)>;

inline SettingsAction set(auto setter, auto value) {
    return [=](LensSettingViewModel& m) { (m.*setter)(value); };
}

inline SettingsAction angle(double value, bool discard = false) {
    return [=](LensSettingViewModel& m) {
        m.setRing_angle(value);
        m.commitRingAngle(discard);
    };
}

inline SettingsAction pinto(double value, bool discard = false) {
    return [=](LensSettingViewModel& m) {
        m.setPinto(value);
        m.commitPinto(discard);
    };
}

// A time or delay of one slot set in tenths of a second and sent.
inline SettingsAction timeOf(LensSettingViewModel::Time which, int slot, int tenths) {
    return [=](LensSettingViewModel& m) {
        m.setTimes(which, with(m.times(which), slot, tenths));
        m.commitTime(which, slot);
    };
}

// Every setting by name, to compare before and after.
inline QVariantMap settingsState(const LensSettingViewModel& m) {
    using M = LensSettingViewModel;
    const auto v = [](const auto& value) { return QVariant::fromValue(value); };
    return {{"ring_function", m.ring_function()},
            {"direction", m.direction()},
            {"ring_response", m.ring_response()},
            {"ring_angle", m.ring_angle()},
            {"pinto", m.pinto()},
            {"sw_func", m.sw_func()},
            {"bt_func", v(m.bt_func())},
            {"irisAngle", v(m.irisAngle())},
            {"focusSec", v(m.times(M::FocusTime))},
            {"irisSec", v(m.times(M::IrisTime))},
            {"focusDelay", v(m.times(M::FocusDelay))},
            {"irisDelay", v(m.times(M::IrisDelay))},
            {"aflim_pos", v(m.aflim_pos())}};
}

// Each callback a write reports to, by a short name.
inline const QList<std::pair<QString, LensSettingViewModel::Callback LensSettingViewModel::*>>&
writeCallbacks() {
    using M = LensSettingViewModel;
    static const QList<std::pair<QString, M::Callback M::*>> all{
        {"direction", &M::onChangeRingDirection},
        {"response", &M::onChangeRingResponse},
        {"angle", &M::onChangeRingAngle},
        {"pinto", &M::onChangeAdjustmentPinto},
        {"button", &M::onChangeButtonFunction},
        {"iris angle", &M::onChangeIrisAngle},
        {"focus time", &M::onChangeFocusDriveTime},
        {"iris time", &M::onChangeIrisDriveTime},
        {"focus delay", &M::onChangeFocusDelayTime},
        {"iris delay", &M::onChangeIrisDelayTime},
        {"af limit", &M::onChangeAFLimit},
        {"speed", &M::onChangeFocusSpeed}};
    return all;
}

// The settings writes among the frames, from the from-th on, as "address=bytes" in hex;
// data that is not one single-setting write of settings area 1 shows whole, as "data=".
inline QStringList settingsWrites(const QList<Bytes>& frames, int from = 0) {
    QStringList out;
    for (const Bytes& frame : frames) {
        if (frame.size() <= 6 || frame[6] != CommDataFormat::FUNC_WRITE || from-- > 0)
            continue;
        const Bytes data = dataOf(frame);
        const bool single =
            data.size() > 5 && data[0] == 0x00 && data[1] == 0x01 && data[4] == data.size() - 5;
        const QByteArray values = toQByteArray(Bytes(data.begin() + (single ? 5 : 0), data.end()));
        out << (single ? QString::asprintf("%02X%02X=", data[2], data[3])
                       : QStringLiteral("data=")) +
                   QString::fromLatin1(values.toHex().toUpper());
    }
    return out;
}

} // namespace kelvara::test
