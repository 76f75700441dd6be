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

    snapshot_ = settings->values();
    if (popupId == PopupId::FunctionSelect)
        setSelect_bt_func_id(snapshot_.buttonFunction[std::size_t(swId)]);
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

void PopupViewModel::writtenBack() {
    hide();
    emit writeBackEnded(WriteBack::Done);
}

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
        emit writeBackEnded(WriteBack::NotStarted);
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
        if (!popup)
            return;
        // A write-back answered after its popup went away ends there.
        if (!ok || popup->generation_ != started) {
            emit popup->writeBackEnded(WriteBack::Failed);
            return;
        }
        then();
    };
    write(*m);
    if (!*answered && !m->locked()) {
        m->*callback = nullptr;
        Diagnostics::line(QStringLiteral("restore stopped: the write did not go out"));
        emit writeBackEnded(WriteBack::Failed);
    }
}

void PopupViewModel::restoreRingDirection() {
    const LSV* m = lens_setting_;
    if (!m)
        return;
    const int value = snapshot_.direction;
    restoreStep(
        &LSV::onChangeRingDirection, m->direction() != value,
        [value](LSV& s) { s.setDirection(value); }, [this] { writtenBack(); });
}

void PopupViewModel::restoreRingResponse() {
    const LSV* m = lens_setting_;
    if (!m)
        return;
    const int value = snapshot_.ringResponse;
    restoreStep(
        &LSV::onChangeRingResponse, m->ring_response() != value,
        [value](LSV& s) { s.setRing_response(value); }, [this] { restoreRingAngle(); });
}

void PopupViewModel::restoreRingAngle() {
    const LSV* m = lens_setting_;
    if (!m)
        return;
    const double value = snapshot_.ringAngle;
    restoreStep(
        &LSV::onChangeRingAngle, m->ring_angle() != value,
        [value](LSV& s) {
            s.setRing_angle(value);
            s.commitRingAngle(false);
        },
        [this] { writtenBack(); });
}

void PopupViewModel::restoreAdjustmentPinto() {
    const LSV* m = lens_setting_;
    if (!m)
        return;
    const double value = snapshot_.pinto;
    restoreStep(
        &LSV::onChangeAdjustmentPinto, m->pinto() != value,
        [value](LSV& s) {
            s.setPinto(value);
            s.commitPinto(false);
        },
        [this] { writtenBack(); });
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

void PopupViewModel::restoreTime(LSV::Time which, const LensSettings::Slots& stored,
                                 Callback LSV::*callback, bool applies, FunctionStep next) {
    const LSV* m = lens_setting_;
    const int slot = sw_id_;
    const int value = stored[std::size_t(slot)];
    restoreStep(
        callback, applies && m->times(which)[slot] != value,
        [which, slot, value](LSV& s) {
            QList<int> tenths = s.times(which);
            tenths[slot] = value;
            s.setTimes(which, tenths);
            s.commitTime(which, slot);
        },
        [this, next] { restoreFunctionFrom(next); });
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
        const LensSettings::AfLimitRow& stored = snapshot_.afLimit[std::size_t(row)];
        const QList<int> snapshot{stored.nearIndex, stored.farIndex};
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
    case FunctionStep::FocusDelay:
        restoreTime(LSV::FocusDelay, snapshot_.focusDelay, &LSV::onChangeFocusDelayTime,
                    delaySupported() && isFocusTimeFunction(f), FunctionStep::FocusTime);
        return;
    case FunctionStep::FocusTime:
        restoreTime(LSV::FocusTime, snapshot_.focusTime, &LSV::onChangeFocusDriveTime,
                    isFocusTimeFunction(f), FunctionStep::IrisDelay);
        return;
    case FunctionStep::IrisDelay:
        restoreTime(LSV::IrisDelay, snapshot_.irisDelay, &LSV::onChangeIrisDelayTime,
                    delaySupported() && isIrisTimeFunction(f), FunctionStep::IrisTime);
        return;
    case FunctionStep::IrisTime:
        restoreTime(LSV::IrisTime, snapshot_.irisTime, &LSV::onChangeIrisDriveTime,
                    isIrisTimeFunction(f), FunctionStep::Function);
        return;
    case FunctionStep::Function: {
        const int value = snapshot_.buttonFunction[std::size_t(slot)];
        const bool differs = f != value;
        restoreStep(
            &LSV::onChangeButtonFunction, differs,
            [slot, value](LSV& s) {
                QList<int> functions = s.bt_func();
                functions[slot] = value;
                s.setBt_func(functions);
            },
            // The highlight follows the function the lens accepted back; without that
            // write it stays where the user left it.
            [this, value, differs] {
                if (differs)
                    setSelect_bt_func_id(value);
                restoreFunctionFrom(FunctionStep::Back);
            });
        return;
    }
    case FunctionStep::Back:
        prevPage();
        emit functionSelectionRestored();
        emit writeBackEnded(WriteBack::Done);
        return;
    }
}

} // namespace kelvara
