#include "SetCommand.h"

#include "CliSession.h"
#include "CliText.h"
#include "Console.h"
#include "LensControls.h"

#include "controller/AppViewModel.h"
#include "model/BasicInfoViewModel.h"
#include "model/ButtonFunc.h"
#include "model/ButtonItemModel.h"
#include "model/LensSettingViewModel.h"

#include <QTimer>

namespace kelvara {

namespace {

constexpr int CONNECT_MS = 10000;
constexpr int WRITE_MS = 5000;
// A refused write shows its message right after telling its callback.
constexpr int REFUSAL_MESSAGE_MS = 2000;

using Callback = LensSettingViewModel::Callback LensSettingViewModel::*;
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

} // namespace

bool SetCommand::parse(const QStringList& arguments, QString* error) {
    if (arguments.size() != 2) {
        *error = QStringLiteral("set needs SETTING VALUE");
        return false;
    }
    change_ = SettingChange::parse(arguments[0], arguments[1], error);
    return change_.has_value();
}

void SetCommand::start(CliSession& session) {
    session.armWatchdog(CONNECT_MS);
    session.connectLens([this, &session] {
        const AppViewModel& c = session.controller();
        const QString why = refusal(c);
        if (!why.isEmpty()) {
            session.fail(why, 2);
            return;
        }
        if (unchanged(c)) {
            Console::out(CliText::text(CliText::Unchanged).arg(change_->setting, change_->valueText()));
            session.finish(0);
            return;
        }
        session.armWatchdog(WRITE_MS);
        write(session);
    });
}

QString SetCommand::refusal(const AppViewModel& c) const {
    const SettingChange& ch = *change_;
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

bool SetCommand::unchanged(const AppViewModel& c) const {
    const SettingChange& ch = *change_;
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

void SetCommand::write(CliSession& session) {
    const SettingChange& ch = *change_;
    LensSettingViewModel& s = *session.controller().lens_setting();
    const int f = s.bt_func().value(ch.slot);
    const bool iris = isIrisTime(f);

    Callback callback = nullptr;
    switch (ch.kind) {
    case Kind::Function:
        callback = &LensSettingViewModel::onChangeButtonFunction;
        break;
    case Kind::Time:
        callback = iris ? &LensSettingViewModel::onChangeIrisDriveTime
                        : &LensSettingViewModel::onChangeFocusDriveTime;
        break;
    case Kind::Delay:
        callback = iris ? &LensSettingViewModel::onChangeIrisDelayTime
                        : &LensSettingViewModel::onChangeFocusDelayTime;
        break;
    case Kind::AfLimit:
        callback = &LensSettingViewModel::onChangeAFLimit;
        break;
    case Kind::Direction:
        callback = &LensSettingViewModel::onChangeRingDirection;
        break;
    case Kind::RingResponse:
        callback = &LensSettingViewModel::onChangeRingResponse;
        break;
    case Kind::RingAngle:
        callback = &LensSettingViewModel::onChangeRingAngle;
        break;
    case Kind::Pinto:
        callback = &LensSettingViewModel::onChangeAdjustmentPinto;
        break;
    case Kind::Speed:
        return;
    }

    s.*callback = [this, &s, &session, callback](bool ok) {
        s.*callback = {};
        if (ok) {
            Console::out(CliText::text(CliText::SetDone).arg(change_->setting, change_->valueText()));
            session.finish(0);
            return;
        }
        // The controller's message says why; it ends the session once answered.
        session.onNextMessage([&session](const QString&, bool) { session.finish(1); });
        QTimer::singleShot(REFUSAL_MESSAGE_MS, &session, [&session] {
            session.fail(CliText::text(CliText::NotAccepted));
        });
    };

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

} // namespace kelvara
