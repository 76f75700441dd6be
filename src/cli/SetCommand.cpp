#include "CliCommand.h"
#include "CliSession.h"
#include "CliText.h"
#include "Console.h"
#include "LensControls.h"
#include "SettingChange.h"

#include "controller/AppViewModel.h"
#include "model/BasicInfoViewModel.h"
#include "model/ButtonFunc.h"
#include "model/ButtonItemModel.h"
#include "model/LensSettingViewModel.h"

#include <QCommandLineParser>

namespace kelvara {

namespace {

constexpr int CONNECT_MS = 10000;
constexpr int WRITE_MS = 5000;

using Kind = SettingChange::Kind;

bool isFocusTime(int f) {
    return f == FOCUS_PRESET_TIME || f == AB_FOCUS_TIME;
}

bool isIrisTime(int f) {
    return f == IRIS_PRESET_TIME || f == AB_IRIS_TIME;
}

// The time or delay a change of that kind sets on a control holding that function.
LensSettingViewModel::Time timeOf(Kind kind, int function) {
    const bool iris = isIrisTime(function);
    if (kind == Kind::Delay)
        return iris ? LensSettingViewModel::IrisDelay : LensSettingViewModel::FocusDelay;
    return iris ? LensSettingViewModel::IrisTime : LensSettingViewModel::FocusTime;
}

QList<int> withSlot(QList<int> values, int slot, int value) {
    values[slot] = value;
    return values;
}

QString controlLabel(int slot) {
    for (const LensControls::Control& c : LensControls::all())
        if (c.slot == slot)
            return c.name;
    return {};
}

// Why the lens cannot take the change; empty when it can.
QString refusal(const SettingChange& ch, const AppViewModel& c) {
    const BasicInfoViewModel& info = *c.basic_info();
    const LensSettingViewModel& s = *c.lens_setting();
    const auto outOfRange = [&ch](const QString& low, const QString& high) {
        return CliText::text(CliText::OutOfRange).arg(ch.setting, low, high);
    };
    if (ch.slot >= 0 && !LensControls::has(info, ch.slot))
        return CliText::text(CliText::NotOnLens).arg(controlLabel(ch.slot));
    switch (ch.kind) {
    case Kind::Function:
        if (!c.button_item()->isFunctionSelectable(ch.value)) {
            QStringList ids;
            for (int id = 0; id < BUTTON_FUNC_COUNT; ++id)
                if (c.button_item()->isFunctionSelectable(id))
                    ids.append(QString::number(id));
            return CliText::text(CliText::FunctionNotSelectable)
                .arg(ch.valueText(), ids.join(QStringLiteral(", ")));
        }
        return {};
    case Kind::Time:
    case Kind::Delay: {
        const int f = s.bt_func().value(ch.slot);
        if (ch.kind == Kind::Delay && !info.isSettingSupported(10))
            return CliText::text(CliText::NotOnLens).arg(ch.setting);
        if (!isFocusTime(f) && !isIrisTime(f))
            return CliText::text(CliText::NotForFunction)
                .arg(ch.setting, controlLabel(ch.slot), QString::number(f));
        const int highestTens = std::min(9, info.maxSec2());
        if (ch.kind == Kind::Time && ch.value / 100 > highestTens)
            return outOfRange(QStringLiteral("0.0"), QStringLiteral("%1.9").arg(highestTens * 10 + 9));
        return {};
    }
    case Kind::Speed:
        return CliText::text(CliText::SpeedNotWritable);
    case Kind::AfLimit: {
        const int last = int(info.limitPosition().size()) - 1;
        const bool single = last < 1 && ch.value == 0 && ch.far == 0;
        if (!single && !(ch.value < ch.far && ch.far <= last))
            return CliText::text(CliText::AfLimitRange).arg(ch.setting).arg(std::max(last, 0));
        if ((info.specialSpecAFLimitFixedInf() & 1) && ch.far != last && !single)
            return CliText::text(CliText::AfLimitFixedFar).arg(ch.setting).arg(last);
        return {};
    }
    case Kind::Direction:
        return info.isSettingSupported(3) ? QString()
                                          : CliText::text(CliText::NotOnLens).arg(ch.setting);
    case Kind::RingResponse:
        return info.isSettingSupported(4) ? QString()
                                          : CliText::text(CliText::NotOnLens).arg(ch.setting);
    case Kind::RingAngle:
        if (!info.isSettingSupported(5))
            return CliText::text(CliText::NotOnLens).arg(ch.setting);
        return info.ringAngleRange().contains(ch.value)
                   ? QString()
                   : outOfRange(QString::number(info.ringAngleRange().lower),
                                QString::number(info.ringAngleRange().upper));
    case Kind::Pinto:
        if (!info.isAFCustomizeVisible())
            return CliText::text(CliText::NotOnLens).arg(ch.setting);
        return info.pintoRange().contains(ch.value)
                   ? QString()
                   : outOfRange(QString::number(info.pintoRange().lower),
                                QString::number(info.pintoRange().upper));
    }
    return {};
}

bool unchanged(const SettingChange& ch, const AppViewModel& c) {
    const LensSettingViewModel& s = *c.lens_setting();
    const int f = s.bt_func().value(ch.slot);
    switch (ch.kind) {
    case Kind::Function:
        return f == ch.value;
    case Kind::Time:
    case Kind::Delay:
        return ch.value == s.times(timeOf(ch.kind, f)).value(ch.slot);
    case Kind::AfLimit:
        return s.aflim_pos().value(ch.row) == QList<int>{ch.value, ch.far};
    case Kind::Direction:
        return s.direction() == ch.value;
    case Kind::RingResponse:
        return s.ring_response() == ch.value;
    case Kind::RingAngle:
        return s.ring_angle() == ch.value;
    case Kind::Pinto:
        return s.pinto() == ch.value;
    case Kind::Speed:
        break;
    }
    return false;
}

// Makes the change on the settings model, which sends it to the lens.
void apply(const SettingChange& ch, LensSettingViewModel& s) {
    const int f = s.bt_func().value(ch.slot);
    const int slot = ch.slot;
    switch (ch.kind) {
    case Kind::Function:
        s.setBt_func(withSlot(s.bt_func(), slot, ch.value));
        break;
    case Kind::Time:
    case Kind::Delay: {
        const LensSettingViewModel::Time which = timeOf(ch.kind, f);
        s.setTimes(which, withSlot(s.times(which), slot, ch.value));
        s.commitTime(which, slot);
        break;
    }
    case Kind::AfLimit: {
        auto rows = s.aflim_pos();
        const QList<int> old = rows[ch.row];
        rows[ch.row] = {ch.value, ch.far};
        s.setAflim_pos(rows);
        s.commitAFLimit(ch.row, old.value(0), old.value(1));
        break;
    }
    case Kind::Direction:
        s.setDirection(ch.value);
        break;
    case Kind::RingResponse:
        s.setRing_response(ch.value);
        break;
    case Kind::RingAngle:
        s.setRing_angle(ch.value);
        s.commitRingAngle(false);
        break;
    case Kind::Pinto:
        s.setPinto(ch.value);
        s.commitPinto(false);
        break;
    case Kind::Speed:
        break;
    }
}

} // namespace

CliCommand setCommand() {
    return {QStringLiteral("set"), QStringLiteral("SETTING VALUE"),
            QStringLiteral("change one setting of the lens (grammar below)"),
            QStringLiteral(
                "  CONTROL is button0 (the custom button; also \"button\") or switch1, switch2,\n"
                "  switch3 (the custom switch positions). info lists the controls the lens has.\n"
                "  CONTROL FUNCTION        function id (info lists those the lens offers) or its\n"
                "                          name: none, afmf_switch_long_press, afmf_switch_click,\n"
                "                          aflimit_long_press, aflimit_click, focus_hold,\n"
                "                          aflimit_while_press, aflimit_while_release, focus_preset,\n"
                "                          ab_focus, focus_hold2, ring_switch_long_press,\n"
                "                          ring_switch_click, inf_lock_long_press, inf_lock_click,\n"
                "                          mflimit_long_press, mflimit_click, focus_preset_time,\n"
                "                          ab_focus_time, ...\n"
                "  CONTROL.time SECONDS    preset drive time, e.g. 1.5 (functions 22 to 25)\n"
                "  CONTROL.delay SECONDS   delay before the drive, 0.0 to 9.9 (functions 22 to 25)\n"
                "  CONTROL.aflimit N-F     AF limit of the control: near and far position indices\n"
                "  aflimitROW N-F          AF limit row 0 to 5 (button0 uses 0, switch1-3 use 3-5)\n"
                "  direction VALUE         0 default, 1 reverse, 2 follow-camera\n"
                "  ring_response VALUE     0 non-linear, 1 linear\n"
                "  ring_angle STEP         rotation angle step; shown as (STEP + 1) x 90 degrees\n"
                "  pinto VALUE             AF fine adjustment, whole numbers\n"
                "  CONTROL.speed is shown by info but the lens has no write for it.\n"
                "  A value the lens cannot take is refused before anything is sent.\n"),
            {},
            [](const QCommandLineParser& parser, QString* error) -> CliCommand::Run {
                const QStringList args = parser.positionalArguments();
                const std::optional<SettingChange> change = SettingChange::parse(args[0], args[1], error);
                if (!change)
                    return {};
                return [ch = *change](CliSession& session) {
                    session.armWatchdog(CONNECT_MS);
                    session.connectLens([&session, ch] {
                        AppViewModel& c = session.controller();
                        if (const QString why = refusal(ch, c); !why.isEmpty()) {
                            session.fail(why, 2);
                            return;
                        }
                        if (unchanged(ch, c)) {
                            Console::out(CliText::text(CliText::Unchanged).arg(ch.setting, ch.valueText()));
                            session.finish(0);
                            return;
                        }
                        session.armWatchdog(WRITE_MS);
                        session.expect(Operation::Write, [&session, ch](const Outcome& written) {
                            if (written.done())
                                Console::out(CliText::text(CliText::SetDone).arg(ch.setting, ch.valueText()));
                            else if (written.textId.isEmpty())
                                Console::err(CliText::text(CliText::NotAccepted));
                            session.end(written);
                        });
                        apply(ch, *c.lens_setting());
                    });
                };
            }};
}

} // namespace kelvara
