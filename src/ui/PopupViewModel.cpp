#include "PopupViewModel.h"

#include "model/BasicInfoViewModel.h"
#include "model/ButtonFunc.h"
#include "platform/Diagnostics.h"

#include <algorithm>
#include <array>
#include <memory>
#include <utility>

namespace kelvara {

namespace {

using LSV = LensSettingViewModel;
using Digits = QList<int> (LSV::*)() const;
using SetDigits = void (LSV::*)(const QList<int>&);
using CommitSlot = void (LSV::*)(int);

constexpr int DELAY_SETTING_BIT = 10;

// AF limit row of each custom control.
constexpr std::array<int, LSV::SLOTS> AF_LIMIT_ROW_OF_CONTROL{0, 3, 4, 5};

bool isControl(int swId) {
    return swId >= 0 && swId < LSV::SLOTS;
}

bool isAfLimitFunction(int f) {
    return f == AFLIMIT_LONG_PRESS || f == AFLIMIT_CLICK || f == AFLIMIT_WHILE_PRESS ||
           f == AFLIMIT_WHILE_RELEASE;
}

bool isFocusTimeFunction(int f) {
    return f == FOCUS_PRESET_TIME || f == AB_FOCUS_TIME;
}

bool isIrisTimeFunction(int f) {
    return f == IRIS_PRESET_TIME || f == AB_IRIS_TIME;
}

// The digit arrays of one time or delay, their snapshot at the slot and their commit.
template <std::size_t N> struct DigitGroup {
    std::array<Digits, N> get;
    std::array<SetDigits, N> set;
    std::array<int, N> snapshot;
    CommitSlot commit;

    bool differs(const LSV& m, int slot) const {
        for (std::size_t i = 0; i < N; ++i)
            if ((m.*get[i])()[slot] != snapshot[i])
                return true;
        return false;
    }
    // All digits first, then one commit sends them as one value.
    void writeBack(LSV& m, int slot) const {
        for (std::size_t i = 0; i < N; ++i) {
            QList<int> digits = (m.*get[i])();
            digits[slot] = snapshot[i];
            (m.*set[i])(digits);
        }
        (m.*commit)(slot);
    }
};

} // namespace

PopupViewModel::PopupViewModel(LensSettingViewModel* settings, const BasicInfoViewModel* info,
                               QObject* parent)
    : QObject(parent), info_(info), lens_setting_(settings) {}

PopupViewModel::~PopupViewModel() = default;

template <typename T, typename Signal>
void PopupViewModel::publish(T& field, const T& value, Signal signal) {
    if (field == value)
        return;
    field = value;
    emit(this->*signal)();
    emit changed();
}

// ---- published fields ----

void PopupViewModel::setShow_popup(bool show) {
    if (!show)
        ++generation_;
    publish(show_popup_, show, &PopupViewModel::show_popupChanged);
}

void PopupViewModel::setPage_index(int index) {
    publish(page_index_, index, &PopupViewModel::page_indexChanged);
}

void PopupViewModel::setButton_mode(ButtonMode mode) {
    publish(button_mode_, mode, &PopupViewModel::button_modeChanged);
}

void PopupViewModel::setButtonModeValue(int mode) {
    if (mode != int(ButtonMode::OK) && mode != int(ButtonMode::YES_NO)) {
        Diagnostics::line(QStringLiteral("popup button mode %1: ignored").arg(mode));
        return;
    }
    setButton_mode(ButtonMode(mode));
}

void PopupViewModel::setSelect_bt_func_id(int id) {
    publish(select_bt_func_id_, id, &PopupViewModel::select_bt_func_idChanged);
}

void PopupViewModel::hide() {
    setShow_popup(false);
}

// ---- opening and leaving ----

void PopupViewModel::openPopup(int popupId, int swId) {
    if (popupId < int(PopupId::None) || popupId > int(PopupId::AdjustmentPinto)) {
        Diagnostics::line(QStringLiteral("openPopup: no popup %1").arg(popupId));
        return;
    }
    openPopup(
        PopupId(popupId), swId, [] {}, [] {});
}

void PopupViewModel::openPopup(PopupId popupId, int swId, Handler onYes, Handler onNo) {
    LSV* settings = lens_setting_;
    if (!settings) {
        Diagnostics::line(QStringLiteral("openPopup: no settings model"));
        return;
    }
    // The function popup edits one slot; without one its snapshot has nothing to read.
    if (popupId == PopupId::FunctionSelect && !isControl(swId)) {
        Diagnostics::line(QStringLiteral("openPopup: no custom control %1").arg(swId));
        return;
    }
    ++generation_;
    publish(popup_id_, popupId, &PopupViewModel::popup_idChanged);
    publish(sw_id_, swId, &PopupViewModel::sw_idChanged);
    publish(show_popup_, true, &PopupViewModel::show_popupChanged);
    onYes_ = onYes ? std::move(onYes) : Handler([] {});
    onNo_ = onNo ? std::move(onNo) : Handler([] {});
    setPage_index(0);

    if (isControl(swId))
        publish(aflim_id_, AF_LIMIT_ROW_OF_CONTROL[std::size_t(swId)],
                &PopupViewModel::aflim_idChanged);

    const LSV& m = *settings;
    switch (popupId) {
    case PopupId::None:
        break;
    case PopupId::FunctionSelect: {
        setSelect_bt_func_id(m.bt_func()[swId]);
        last_focussec_[0] = m.focusSec2()[swId];
        last_focussec_[1] = m.focusSec1()[swId];
        last_focussec_[2] = m.focusSec0()[swId];
        const QList<int> pair = m.aflim_pos()[aflim_id_];
        last_aflimit_mod_ = pair[0];
        last_aflimit_inf_ = pair[1];
        last_function_ = select_bt_func_id_;
        last_irissec_[0] = m.irisSec2()[swId];
        last_irissec_[1] = m.irisSec1()[swId];
        last_irissec_[2] = m.irisSec0()[swId];
        last_focusdelay_[0] = m.focusDelay1()[swId];
        last_focusdelay_[1] = m.focusDelay0()[swId];
        last_irisdelay_[0] = m.irisDelay1()[swId];
        last_irisdelay_[1] = m.irisDelay0()[swId];
        break;
    }
    case PopupId::RingDirection:
        last_direction_ = m.direction();
        break;
    case PopupId::RingResponse:
        last_response_ = m.ring_response();
        last_angle_ = m.ring_angle();
        break;
    case PopupId::AdjustmentPinto:
        last_pinto_ = m.pinto();
        break;
    }
}

void PopupViewModel::prevPage() {
    setPage_index(std::max(0, page_index_ - 1));
}

void PopupViewModel::confirmPopup() {
    // A copy: the handler may open the next popup and so replace itself.
    const Handler yes = onYes_;
    yes();
    hide();
}

// ---- restoring ----

bool PopupViewModel::delaySupported() const {
    return info_ && info_->isSettingSupported(DELAY_SETTING_BIT);
}

void PopupViewModel::restoreStep(Callback LSV::*callback, bool differs, const Write& write,
                                 Handler next) {
    if (!differs) {
        next();
        return;
    }
    LSV* m = lens_setting_;
    // The settings model would keep the value local and never answer: the chain would
    // hang and a later, unrelated write would set it off.
    if (!m || m->locked() || !m->communication()) {
        Diagnostics::line(QStringLiteral("restore not started: the lens cannot be written now"));
        return;
    }
    const std::uint64_t generation = generation_;
    const auto answered = std::make_shared<bool>(false);
    m->*callback = [self = QPointer<PopupViewModel>(this), model = QPointer<LSV>(m), callback,
                    generation, answered, next](bool ok) {
        // Removing the callback may destroy this closure: keep what is needed first.
        const QPointer<PopupViewModel> popup = self;
        const QPointer<LSV> settings = model;
        const auto slot = callback;
        const std::uint64_t started = generation;
        const Handler then = next;
        *answered = true;
        if (settings)
            (*settings).*slot = nullptr;
        if (!ok || !popup || popup->generation_ != started)
            return;
        then();
    };
    write(*m);
    if (!*answered && !m->locked()) {
        m->*callback = nullptr;
        Diagnostics::line(QStringLiteral("restore stopped: the write did not go out"));
    }
}

void PopupViewModel::restoreRingDirection() {
    const LSV* m = lens_setting_;
    if (!m)
        return;
    const int value = last_direction_;
    restoreStep(
        &LSV::onChangeRingDirection, m->direction() != value,
        [value](LSV& s) { s.setDirection(value); }, [this] { hide(); });
}

void PopupViewModel::restoreRingResponse() {
    const LSV* m = lens_setting_;
    if (!m)
        return;
    const int value = last_response_;
    restoreStep(
        &LSV::onChangeRingResponse, m->ring_response() != value,
        [value](LSV& s) { s.setRing_response(value); }, [this] { restoreRingAngle(); });
}

void PopupViewModel::restoreRingAngle() {
    const LSV* m = lens_setting_;
    if (!m)
        return;
    const double value = last_angle_;
    restoreStep(
        &LSV::onChangeRingAngle, m->ring_angle() != value,
        [value](LSV& s) {
            s.setRing_angle(value);
            s.commitRingAngle(false);
        },
        [this] { hide(); });
}

void PopupViewModel::restoreAdjustmentPinto() {
    const LSV* m = lens_setting_;
    if (!m)
        return;
    const double value = last_pinto_;
    restoreStep(
        &LSV::onChangeAdjustmentPinto, m->pinto() != value,
        [value](LSV& s) {
            s.setPinto(value);
            s.commitPinto(false);
        },
        [this] { hide(); });
}

void PopupViewModel::restoreFunctionSelection() {
    if (!lens_setting_)
        return;
    if (!isControl(sw_id_)) {
        Diagnostics::line(
            QStringLiteral("restoreFunctionSelection: no custom control %1").arg(sw_id_));
        return;
    }
    restoreFunctionFrom(FunctionStep::AfLimit);
}

void PopupViewModel::restoreFunctionFrom(FunctionStep step) {
    const LSV* m = lens_setting_;
    if (!m)
        return;
    const int slot = sw_id_;
    // The steps follow the function as it is now, before the function step puts it back.
    const int f = m->bt_func()[slot];
    const auto then = [this](FunctionStep s) { return [this, s] { restoreFunctionFrom(s); }; };

    switch (step) {
    case FunctionStep::AfLimit: {
        const int row = aflim_id_;
        const QList<int> current = m->aflim_pos()[row];
        const QList<int> snapshot{last_aflimit_mod_, last_aflimit_inf_};
        restoreStep(
            &LSV::onChangeAFLimit, isAfLimitFunction(f) && current != snapshot,
            [row, current, snapshot](LSV& s) {
                QList<QList<int>> rows = s.aflim_pos();
                rows[row] = snapshot;
                s.setAflim_pos(rows);
                s.commitAFLimit(row, current[0], current[1]);
            },
            then(FunctionStep::FocusDelay));
        return;
    }
    case FunctionStep::FocusDelay: {
        const DigitGroup<2> delay{{&LSV::focusDelay1, &LSV::focusDelay0},
                                  {&LSV::setFocusDelay1, &LSV::setFocusDelay0},
                                  {last_focusdelay_[0], last_focusdelay_[1]},
                                  &LSV::commitFocusDelay};
        restoreStep(
            &LSV::onChangeFocusDelayTime,
            delaySupported() && isFocusTimeFunction(f) && delay.differs(*m, slot),
            [delay, slot](LSV& s) { delay.writeBack(s, slot); }, then(FunctionStep::FocusTime));
        return;
    }
    case FunctionStep::FocusTime: {
        const DigitGroup<3> time{{&LSV::focusSec2, &LSV::focusSec1, &LSV::focusSec0},
                                 {&LSV::setFocusSec2, &LSV::setFocusSec1, &LSV::setFocusSec0},
                                 {last_focussec_[0], last_focussec_[1], last_focussec_[2]},
                                 &LSV::commitFocusTime};
        restoreStep(
            &LSV::onChangeFocusDriveTime, isFocusTimeFunction(f) && time.differs(*m, slot),
            [time, slot](LSV& s) { time.writeBack(s, slot); }, then(FunctionStep::IrisDelay));
        return;
    }
    case FunctionStep::IrisDelay: {
        const DigitGroup<2> delay{{&LSV::irisDelay1, &LSV::irisDelay0},
                                  {&LSV::setIrisDelay1, &LSV::setIrisDelay0},
                                  {last_irisdelay_[0], last_irisdelay_[1]},
                                  &LSV::commitIrisDelay};
        restoreStep(
            &LSV::onChangeIrisDelayTime,
            delaySupported() && isIrisTimeFunction(f) && delay.differs(*m, slot),
            [delay, slot](LSV& s) { delay.writeBack(s, slot); }, then(FunctionStep::IrisTime));
        return;
    }
    case FunctionStep::IrisTime: {
        const DigitGroup<3> time{{&LSV::irisSec2, &LSV::irisSec1, &LSV::irisSec0},
                                 {&LSV::setIrisSec2, &LSV::setIrisSec1, &LSV::setIrisSec0},
                                 {last_irissec_[0], last_irissec_[1], last_irissec_[2]},
                                 &LSV::commitIrisTime};
        restoreStep(
            &LSV::onChangeIrisDriveTime, isIrisTimeFunction(f) && time.differs(*m, slot),
            [time, slot](LSV& s) { time.writeBack(s, slot); }, then(FunctionStep::Function));
        return;
    }
    case FunctionStep::Function: {
        const int value = last_function_;
        restoreStep(
            &LSV::onChangeButtonFunction, f != value,
            [slot, value](LSV& s) {
                QList<int> functions = s.bt_func();
                functions[slot] = value;
                s.setBt_func(functions);
            },
            // Also when nothing was written: the list then highlights the stored function
            // rather than one the user only looked at.
            [this, value] {
                setSelect_bt_func_id(value);
                restoreFunctionFrom(FunctionStep::Back);
            });
        return;
    }
    case FunctionStep::Back:
        prevPage();
        emit functionSelectionRestored();
        return;
    }
}

} // namespace kelvara
