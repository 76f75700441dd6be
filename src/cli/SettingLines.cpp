#include "SettingLines.h"

#include "LensControls.h"

#include "controller/AppViewModel.h"
#include "model/BasicInfoViewModel.h"
#include "platform/Texts.h"

namespace kelvara {

namespace {
QString tr(const char* key) {
    return Texts::text(QLatin1String(key));
}
} // namespace

QList<SettingLines::Line> SettingLines::of(const AppViewModel& c) {
    const BasicInfoViewModel& info = *c.basic_info();
    QList<Line> lines;
    for (const LensControls::Control& control : LensControls::of(info))
        lines.append({qtTrId(control.labelKey), c.buttonSummaryText(control.slot, true)});
    if (info.isSettingSupported(3))
        lines.append({tr("Home_RingDirectionSetting"), c.ringDirectionText()});
    if (info.isSettingSupported(4))
        lines.append({tr("Home_RingResponseSetting"), c.ringResponseSummaryText()});
    else if (info.isSettingSupported(5))
        lines.append({tr("Home_RingAngleSetting"), c.ringAngleText()});
    if (info.isAFCustomizeVisible())
        lines.append({tr("Home_AfCustomize"), c.pintoText()});
    return lines;
}

} // namespace kelvara
