#pragma once

#include "ButtonMode.h"
#include "PopupId.h"
#include "model/LensSettingViewModel.h"

#include <QObject>
#include <QPointer>

#include <cstdint>
#include <functional>

namespace kelvara {

class BasicInfoViewModel;

// State of the modal popup in which one lens setting is changed. Every change made in
// the popup reaches the lens at once through the settings model; opening takes a
// snapshot of what the popup may touch, confirming keeps the new values, and a restore
// writes the snapshot back one setting at a time, each write waiting for the lens to
// accept the one before. Used on the main thread.
class PopupViewModel : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool show_popup READ show_popup WRITE setShow_popup NOTIFY show_popupChanged)
    Q_PROPERTY(int popup_id READ popupIdValue NOTIFY popup_idChanged)
    Q_PROPERTY(int sw_id READ sw_id NOTIFY sw_idChanged)
    Q_PROPERTY(int page_index READ page_index WRITE setPage_index NOTIFY page_indexChanged)
    Q_PROPERTY(
        int button_mode READ buttonModeValue WRITE setButtonModeValue NOTIFY button_modeChanged)
    Q_PROPERTY(int select_bt_func_id READ select_bt_func_id WRITE setSelect_bt_func_id NOTIFY
                   select_bt_func_idChanged)
    // The pages edit this AF limit row.
    Q_PROPERTY(int aflim_id READ aflim_id NOTIFY aflim_idChanged)
    Q_PROPERTY(kelvara::LensSettingViewModel* lens_setting READ lens_setting CONSTANT)

  public:
    using Handler = std::function<void()>;
    using Callback = LensSettingViewModel::Callback;

    // The popups edit `settings` within the capabilities `info` tells; both must outlive
    // this model.
    PopupViewModel(LensSettingViewModel* settings, const BasicInfoViewModel* info,
                   QObject* parent = nullptr);
    ~PopupViewModel() override;

    // Shows a popup and takes the snapshot. A function popup needs a slot 0 to 3; any
    // other is refused and nothing changes.
    void openPopup(PopupId popupId, int swId, Handler onYes, Handler onNo);
    // For the pages, with handlers that do nothing.
    Q_INVOKABLE void openPopup(int popupId, int swId);
    Q_INVOKABLE void prevPage();
    Q_INVOKABLE void confirmPopup();

    // Cancel: write the snapshot back step by step; the popup closes (or, for the
    // function popup, goes back a page) only when every write was accepted. Nothing is
    // started while another lens write is under way.
    Q_INVOKABLE void restoreRingDirection();
    Q_INVOKABLE void restoreRingResponse();
    Q_INVOKABLE void restoreRingAngle();
    Q_INVOKABLE void restoreAdjustmentPinto();
    Q_INVOKABLE void restoreFunctionSelection();

    bool show_popup() const { return show_popup_; }
    // Hiding from outside (the connection ended) also abandons a running restore.
    void setShow_popup(bool show);
    PopupId popup_id() const { return popup_id_; }
    int popupIdValue() const { return int(popup_id_); }
    int sw_id() const { return sw_id_; }
    int page_index() const { return page_index_; }
    void setPage_index(int index);
    ButtonMode button_mode() const { return button_mode_; }
    int buttonModeValue() const { return int(button_mode_); }
    void setButton_mode(ButtonMode mode);
    void setButtonModeValue(int mode);
    int select_bt_func_id() const { return select_bt_func_id_; }
    void setSelect_bt_func_id(int id);
    int aflim_id() const { return aflim_id_; }
    LensSettingViewModel* lens_setting() const { return lens_setting_; }
    Handler onYes() const { return onYes_; }
    Handler onNo() const { return onNo_; }

    // What the popup may change, as it was when it opened.
    const LensSettings& snapshot() const { return snapshot_; }

    // How a Cancel's write-back of the earlier values ended.
    enum class WriteBack {
        Done,    // everything is back
        Failed,  // a write was refused or did not go out; the rest was not tried
        NotStarted // a write held the lens, or it was not connected
    };
    Q_ENUM(WriteBack)

  signals:
    void writeBackEnded(kelvara::PopupViewModel::WriteBack result);
    void show_popupChanged();
    void popup_idChanged();
    void sw_idChanged();
    void page_indexChanged();
    void button_modeChanged();
    void select_bt_func_idChanged();
    void aflim_idChanged();
    // restoreFunctionSelection() reached its end: everything is back and the page went
    // back. On the first page that is when a cancel may close the popup.
    void functionSelectionRestored();
    // Any published field changed; lets the controller re-announce them as one.
    void changed();

  private:
    enum class FunctionStep { AfLimit, FocusDelay, FocusTime, IrisDelay, IrisTime, Function, Back };
    using Write = std::function<void(LensSettingViewModel&)>;

    void restoreStep(Callback LensSettingViewModel::*callback, bool differs, const Write& write,
                     Handler next);
    void restoreFunctionFrom(FunctionStep step);
    // One time or delay of the popup's control back to `stored`, if `applies`.
    void restoreTime(LensSettingViewModel::Time which, const LensSettings::Slots& stored,
                     Callback LensSettingViewModel::*callback, bool applies, FunctionStep next);
    bool delaySupported() const;
    void hide();
    // The end of a write-back chain that got everything back.
    void writtenBack();
    template <typename T, typename Signal> void publish(T& field, const T& value, Signal signal);

    const BasicInfoViewModel* info_;
    // Counts openings and hidings: a restore answered after either belongs to a popup
    // that is gone and goes no further.
    std::uint64_t generation_ = 0;

    bool show_popup_ = false;
    PopupId popup_id_ = PopupId::None;
    int sw_id_ = 0;
    int page_index_ = 0;
    ButtonMode button_mode_ = ButtonMode::OK;
    int select_bt_func_id_ = -1;
    LensSettings snapshot_;
    int aflim_id_ = 0;
    QPointer<LensSettingViewModel> lens_setting_;
    Handler onYes_ = [] {};
    Handler onNo_ = [] {};
};

} // namespace kelvara
