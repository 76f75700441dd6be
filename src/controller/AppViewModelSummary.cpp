// One line per custom button, ring setting and the AF adjustment for the home page.
#include "AppViewModel.h"

#include "model/BasicInfoViewModel.h"
#include "model/ButtonFunc.h"
#include "model/ButtonItemModel.h"
#include "model/LensSettingViewModel.h"

#include <cmath>

namespace kelvara {

namespace {

const QString PART_SEPARATOR = QStringLiteral("  /  ");
const QString DELAY_SEPARATOR = QStringLiteral(" / ");
const QString RANGE_SEPARATOR = QStringLiteral("  -  ");
const QString NAME_SEPARATOR = QStringLiteral(": ");

QString timeText(int tens, int units, int tenths) {
    return QStringLiteral("%1.%2 [s]").arg(tens * 10 + units).arg(tenths);
}

QString delayText(int units, int tenths) {
    return QStringLiteral("%1.%2 [s]").arg(units).arg(tenths);
}

int at(const QList<int>& values, int i) {
    return values.value(i, 0);
}

// A whole number for a value the text can show; nothing for one outside int's range.
std::optional<int> wholePart(double value) {
    if (!std::isfinite(value) || value >= 2147483648.0 || value <= -2147483649.0)
        return std::nullopt;
    return int(std::trunc(value));
}

} // namespace

QString AppViewModel::afLimitText(int row, int end) const {
    if (end > 1 || end < 0 || row < 0 || row >= LensSettingViewModel::AF_LIMIT_ROWS)
        return {};
    if (end == 1 && (basic_info_->specialSpecAFLimitFixedInf() & 1))
        return qtTrId("CustomSetting_AfInf");
    const QList<LimitPosition> positions = basic_info_->limitPosition();
    if (positions.isEmpty())
        return {};
    int p = lens_setting_->aflim_pos().value(row).value(end, 0);
    if (p >= positions.size())
        p = int(positions.size()) - 1;
    return p < 0 ? QString() : positions[p].name;
}

QString AppViewModel::buttonSummaryText(int index, bool details) const {
    if (index < 0 || index >= LensSettingViewModel::SLOTS)
        return {};
    const int f = lens_setting_->bt_func().value(index, 0);
    QString text = f >= 0 && f < button_item_->functionLabels().size()
                       ? button_item_->functionLabel(f)
                       : QString();
    if (!details)
        return text;

    const LensSettingViewModel& s = *lens_setting_;
    const bool delays = basic_info_->isSettingSupported(10);
    switch (f) {
    case FOCUS_PRESET:
    case AB_FOCUS: {
        const QStringList labels = s.focus_speed_labels();
        const auto step = wholePart(s.speed().value(index, 0));
        if (labels.isEmpty() || !step || *step < 0 || *step > 255)
            return {};
        text += PART_SEPARATOR + qtTrId("Home_FocusSpeed") + NAME_SEPARATOR +
                labels.value(*step, labels.last());
        break;
    }
    case FOCUS_PRESET_TIME:
    case AB_FOCUS_TIME:
        text += PART_SEPARATOR + qtTrId("Home_FocusTime") + NAME_SEPARATOR +
                timeText(at(s.focusSec2(), index), at(s.focusSec1(), index), at(s.focusSec0(), index));
        if (delays)
            text += DELAY_SEPARATOR + qtTrId("Home_DelaySetting") + NAME_SEPARATOR +
                    delayText(at(s.focusDelay1(), index), at(s.focusDelay0(), index));
        break;
    case IRIS_PRESET_TIME:
    case AB_IRIS_TIME:
        text += PART_SEPARATOR + qtTrId("Home_FocusTime") + NAME_SEPARATOR +
                timeText(at(s.irisSec2(), index), at(s.irisSec1(), index), at(s.irisSec0(), index));
        if (delays)
            text += DELAY_SEPARATOR + qtTrId("Home_DelaySetting") + NAME_SEPARATOR +
                    delayText(at(s.irisDelay1(), index), at(s.irisDelay0(), index));
        break;
    default:
        break;
    }
    if (f == AFLIMIT_LONG_PRESS || f == AFLIMIT_CLICK || f == AFLIMIT_WHILE_PRESS ||
        f == AFLIMIT_WHILE_RELEASE) {
        const int row = index >= 1 ? index + 2 : 0;
        text += PART_SEPARATOR + afLimitText(row, 0) + RANGE_SEPARATOR + afLimitText(row, 1);
    }
    const char* operation = nullptr;
    switch (f) {
    case AFMF_SWITCH_LONG_PRESS:
    case RING_SWITCH_LONG_PRESS:
    case INF_LOCK_LONG_PRESS:
    case MFLIMIT_LONG_PRESS:
        operation = "ButtonSelect_LabelLongClick";
        break;
    case AFMF_SWITCH_CLICK:
    case RING_SWITCH_CLICK:
    case INF_LOCK_CLICK:
    case MFLIMIT_CLICK:
        operation = "ButtonSelect_LabelClick";
        break;
    case AFLIMIT_WHILE_PRESS:
        operation = "ButtonSelect_LabelWhilePress";
        break;
    case AFLIMIT_WHILE_RELEASE:
        operation = "ButtonSelect_LabelWhileRelease";
        break;
    case AFLIMIT_LONG_PRESS:
        operation = "ButtonSelect_LabelAFLimitLongClick";
        break;
    case AFLIMIT_CLICK:
        operation = "ButtonSelect_LabelAFLimitClick";
        break;
    default:
        break;
    }
    if (operation)
        text += PART_SEPARATOR + qtTrId(operation);
    return text;
}

QString AppViewModel::ringDirectionText() const {
    switch (lens_setting_->direction()) {
    case 2:
        return qtTrId("Home_RingFollowCamera");
    case 1:
        return qtTrId("Home_RingReverse");
    default:
        return qtTrId("Home_RingDefault");
    }
}

QString AppViewModel::ringResponseText() const {
    return lens_setting_->ring_response() == 0 ? qtTrId("Home_RingResponseNonLinear")
                                               : qtTrId("Home_RingResponseLinear");
}

QString AppViewModel::ringAngleText() const {
    const auto degrees = wholePart((lens_setting_->ring_angle() + 1) * 90);
    return degrees ? QString::number(*degrees) : QString();
}

QString AppViewModel::ringResponseSummaryText() const {
    QString text = ringResponseText();
    if (basic_info_->isSettingSupported(5) && lens_setting_->ring_response() == 1)
        text += PART_SEPARATOR + qtTrId("Home_RingAngleSetting") + NAME_SEPARATOR + ringAngleText();
    return text;
}

QString AppViewModel::pintoText() const {
    const auto value = wholePart(lens_setting_->pinto());
    return value ? QString::number(*value) : QString();
}

} // namespace kelvara
