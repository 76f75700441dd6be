#include "SettingChange.h"

#include "CliText.h"
#include "LensControls.h"

#include "model/ButtonFunc.h"

#include <QRegularExpression>

#include <array>

namespace kelvara {

namespace {

constexpr std::array<const char*, BUTTON_FUNC_COUNT> FUNCTION_NAMES{
    "none",
    "afmf_switch_long_press",
    "afmf_switch_click",
    "aflimit_long_press",
    "aflimit_click",
    "focus_hold",
    "aflimit_while_press",
    "aflimit_while_release",
    "focus_preset",
    "ab_focus",
    "focus_hold2",
    "",
    "ring_switch_long_press",
    "ring_switch_click",
    "inf_lock_long_press",
    "inf_lock_click",
    "mflimit_long_press",
    "mflimit_click",
    "vc_onoff_long_press",
    "vc_onoff_click",
    "vc_mode",
    "",
    "focus_preset_time",
    "ab_focus_time",
    "iris_preset_time",
    "ab_iris_time",
};

std::optional<int> wholeNumber(const QString& text, int lowest, int highest) {
    static const QRegularExpression form(QStringLiteral("^[+-]?[0-9]{1,4}$"));
    if (!form.match(text).hasMatch())
        return std::nullopt;
    const int v = text.toInt();
    if (v < lowest || v > highest)
        return std::nullopt;
    return v;
}

// Seconds with at most one decimal, as tenths; at most maxWhole whole-second digits.
std::optional<int> tenths(const QString& text, int maxWhole) {
    const QRegularExpression form(QStringLiteral("^([0-9]{1,%1})(?:\\.([0-9]))?$").arg(maxWhole));
    const auto m = form.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    return m.captured(1).toInt() * 10 + (m.captured(2).isEmpty() ? 0 : m.captured(2).toInt());
}

std::optional<int> named(const QString& text, std::initializer_list<const char*> names) {
    int i = 0;
    for (const char* name : names) {
        if (text == QLatin1String(name) || text == QString::number(i))
            return i;
        ++i;
    }
    return std::nullopt;
}

std::optional<int> functionId(const QString& text) {
    if (const auto id = wholeNumber(text, 0, 255))
        return id;
    for (int id = 0; id < BUTTON_FUNC_COUNT; ++id)
        if (*FUNCTION_NAMES[std::size_t(id)] && text == QLatin1String(FUNCTION_NAMES[std::size_t(id)]))
            return id;
    return std::nullopt;
}

QString tenthsText(int t) {
    return QStringLiteral("%1.%2").arg(t / 10).arg(t % 10);
}

} // namespace

QString SettingChange::functionName(int id) {
    return id >= 0 && id < BUTTON_FUNC_COUNT ? QLatin1String(FUNCTION_NAMES[std::size_t(id)])
                                             : QString();
}

std::optional<SettingChange> SettingChange::parse(const QString& setting, const QString& valueText,
                                                  QString* error) {
    SettingChange c;
    c.setting = setting;
    const QString value = valueText.trimmed().toLower();
    std::optional<int> v;

    const QString control = setting.section(QLatin1Char('.'), 0, 0);
    const QString part = setting.section(QLatin1Char('.'), 1);
    static const QRegularExpression rowForm(QStringLiteral("^aflimit([0-5])$"));
    const auto rowMatch = rowForm.match(setting);

    if (const auto found = LensControls::byName(control)) {
        c.slot = found->slot;
        if (part.isEmpty()) {
            c.kind = Function;
            v = functionId(value);
        } else if (part == QLatin1String("time")) {
            c.kind = Time;
            v = tenths(value, 2);
        } else if (part == QLatin1String("delay")) {
            c.kind = Delay;
            v = tenths(value, 1);
        } else if (part == QLatin1String("speed")) {
            *error = CliText::text(CliText::SpeedNotWritable);
            return std::nullopt;
        } else if (part == QLatin1String("aflimit")) {
            c.kind = AfLimit;
            c.row = found->afLimitRow;
        } else {
            *error = CliText::text(CliText::UnknownSetting).arg(setting);
            return std::nullopt;
        }
    } else if (rowMatch.hasMatch()) {
        c.kind = AfLimit;
        c.row = rowMatch.captured(1).toInt();
    } else if (setting == QLatin1String("direction")) {
        c.kind = Direction;
        v = named(value, {"default", "reverse", "follow-camera"});
    } else if (setting == QLatin1String("ring_response")) {
        c.kind = RingResponse;
        v = named(value, {"non-linear", "linear"});
    } else if (setting == QLatin1String("ring_angle")) {
        c.kind = RingAngle;
        v = wholeNumber(value, -128, 127);
    } else if (setting == QLatin1String("pinto")) {
        c.kind = Pinto;
        v = wholeNumber(value, -128, 127);
    } else {
        *error = CliText::text(CliText::UnknownSetting).arg(setting);
        return std::nullopt;
    }

    if (c.kind == AfLimit) {
        static const QRegularExpression pair(QStringLiteral("^([0-9]{1,2})-([0-9]{1,2})$"));
        const auto m = pair.match(value);
        if (m.hasMatch()) {
            v = m.captured(1).toInt();
            c.far = m.captured(2).toInt();
        }
    }
    if (!v) {
        *error = CliText::text(CliText::BadValue).arg(valueText, setting);
        return std::nullopt;
    }
    c.value = *v;
    return c;
}

QString SettingChange::valueText() const {
    switch (kind) {
    case Function: {
        const QString name = functionName(value);
        return name.isEmpty() ? QString::number(value)
                              : QStringLiteral("%1 (%2)").arg(value).arg(name);
    }
    case Time:
    case Delay:
        return tenthsText(value);
    case AfLimit:
        return QStringLiteral("%1-%2").arg(value).arg(far);
    default:
        return QString::number(value);
    }
}

} // namespace kelvara
