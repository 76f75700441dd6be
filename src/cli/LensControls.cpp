#include "LensControls.h"

#include "model/BasicInfoViewModel.h"

namespace kelvara {

namespace {
constexpr int BUTTON_SETTINGS_BIT = 0;
constexpr int SWITCH_SETTINGS_BIT = 1;
} // namespace

QList<LensControls::Control> LensControls::all() {
    return {{QStringLiteral("switch1"), 1, 3, "Common_Custom1"},
            {QStringLiteral("switch2"), 2, 4, "Common_Custom2"},
            {QStringLiteral("switch3"), 3, 5, "Common_Custom3"},
            {QStringLiteral("button0"), 0, 0, "Home_LabelFocusSetButton"}};
}

std::optional<LensControls::Control> LensControls::byName(const QString& name) {
    const QString wanted = name == QLatin1String("button") ? QStringLiteral("button0") : name;
    for (const Control& control : all())
        if (control.name == wanted)
            return control;
    return std::nullopt;
}

bool LensControls::has(const BasicInfoViewModel& info, int slot) {
    const bool switchPage = info.isSettingSupported(SWITCH_SETTINGS_BIT);
    if (slot == 0)
        return info.customButtonCount() > 0 &&
               (switchPage || info.isSettingSupported(BUTTON_SETTINGS_BIT));
    // A switch with n positions uses the slots 1 to n.
    return switchPage && slot >= 1 && slot <= 3 && slot <= info.customSwitchStateCount();
}

QList<LensControls::Control> LensControls::of(const BasicInfoViewModel& info) {
    QList<Control> controls;
    for (const Control& control : all())
        if (has(info, control.slot))
            controls.append(control);
    return controls;
}

} // namespace kelvara
