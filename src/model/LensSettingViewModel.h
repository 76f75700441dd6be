#pragma once

#include "LensSettings.h"
#include "SettingLimits.h"
#include "link/Bytes.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <optional>

namespace kelvara {

// The lens's 512-byte settings image decoded into editable settings. Each edit is sent
// to the lens at once at the setting's own address (some on assignment, some when the
// edit is committed); a refused write is reported and the setting goes back to its value
// before the edit once the report is answered. Whoever owns the write lock hears of each
// write through the signals and tells the model whether the lock is held. Used on the
// main thread.
class LensSettingViewModel : public QObject {
    Q_OBJECT
    Q_PROPERTY(QStringList focus_speed_labels READ focus_speed_labels CONSTANT)
    Q_PROPERTY(QStringList iris_angle_labels READ iris_angle_labels CONSTANT)
    Q_PROPERTY(
        int ring_function READ ring_function WRITE setRing_function NOTIFY ring_functionChanged)
    Q_PROPERTY(int direction READ direction WRITE setDirection NOTIFY directionChanged)
    Q_PROPERTY(bool directionFollowsCamera READ directionFollowsCamera WRITE
                   setDirectionFollowsCamera NOTIFY directionChanged)
    Q_PROPERTY(
        int ring_response READ ring_response WRITE setRing_response NOTIFY ring_responseChanged)
    Q_PROPERTY(double ring_angle READ ring_angle WRITE setRing_angle NOTIFY ring_angleChanged)
    Q_PROPERTY(double pinto READ pinto WRITE setPinto NOTIFY pintoChanged)
    Q_PROPERTY(int sw_func READ sw_func WRITE setSw_func NOTIFY sw_funcChanged)
    Q_PROPERTY(QList<int> bt_func READ bt_func WRITE setBt_func NOTIFY bt_funcChanged)
    Q_PROPERTY(QList<double> speed READ speed WRITE setSpeed NOTIFY speedChanged)
    Q_PROPERTY(QList<double> irisAngle READ irisAngle WRITE setIrisAngle NOTIFY irisAngleChanged)
    Q_PROPERTY(QList<int> focusSec2 READ focusSec2 WRITE setFocusSec2 NOTIFY focusSec2Changed)
    Q_PROPERTY(QList<int> focusSec1 READ focusSec1 WRITE setFocusSec1 NOTIFY focusSec1Changed)
    Q_PROPERTY(QList<int> focusSec0 READ focusSec0 WRITE setFocusSec0 NOTIFY focusSec0Changed)
    Q_PROPERTY(QList<int> irisSec2 READ irisSec2 WRITE setIrisSec2 NOTIFY irisSec2Changed)
    Q_PROPERTY(QList<int> irisSec1 READ irisSec1 WRITE setIrisSec1 NOTIFY irisSec1Changed)
    Q_PROPERTY(QList<int> irisSec0 READ irisSec0 WRITE setIrisSec0 NOTIFY irisSec0Changed)
    Q_PROPERTY(
        QList<int> focusDelay1 READ focusDelay1 WRITE setFocusDelay1 NOTIFY focusDelay1Changed)
    Q_PROPERTY(
        QList<int> focusDelay0 READ focusDelay0 WRITE setFocusDelay0 NOTIFY focusDelay0Changed)
    Q_PROPERTY(QList<int> irisDelay1 READ irisDelay1 WRITE setIrisDelay1 NOTIFY irisDelay1Changed)
    Q_PROPERTY(QList<int> irisDelay0 READ irisDelay0 WRITE setIrisDelay0 NOTIFY irisDelay0Changed)
    Q_PROPERTY(
        QList<QList<int>> aflim_pos READ aflim_pos WRITE setAflim_pos NOTIFY aflim_posChanged)

  public:
    using Callback = std::function<void(bool)>;
    // The drive times and delays, in tenths of a second. The pages show them as digits:
    // a time as tens of seconds, seconds and tenths (focusSec2, focusSec1, focusSec0), a
    // delay as seconds and tenths (focusDelay1, focusDelay0).
    enum Time { FocusTime, IrisTime, FocusDelay, IrisDelay, TIMES };

    static constexpr int SLOTS = LensSettings::SLOTS;
    static constexpr int AF_LIMIT_ROWS = LensSettings::AF_LIMIT_ROWS;

    explicit LensSettingViewModel(QObject* parent = nullptr);
    ~LensSettingViewModel() override;

    using Completion = std::function<void()>;

    // The lens's limits, from its basic information; the decode and the AF limit rules
    // follow them.
    void setLimits(const SettingLimits& limits) { limits_ = limits; }
    // While the lock is held edits stay local: nothing is sent and no edit run starts.
    bool locked() const { return locked_; }
    void setLocked(bool locked) { locked_ = locked; }

    // Told the outcome of a write of their setting, on the main thread. A callback may
    // replace itself while it runs.
    Callback onChangeRingDirection;
    Callback onChangeRingResponse;
    Callback onChangeRingAngle;
    Callback onChangeAdjustmentPinto;
    Callback onChangeButtonFunction;
    Callback onChangeFocusSpeed; // no write exists for the speed
    Callback onChangeIrisAngle;
    Callback onChangeFocusDriveTime;
    Callback onChangeIrisDriveTime;
    Callback onChangeFocusDelayTime;
    Callback onChangeIrisDelayTime;
    Callback onChangeAFLimit;

    const Bytes& e2p() const { return e2p_; }
    void setE2p(Bytes image) {
        e2p_ = std::move(image);
        held_ = e2p_;
    }
    // The image as the lens holds it: `e2p` with every single write the lens took since.
    const Bytes& held() const { return held_; }
    // Decodes `e2p` into the settings without sending anything. An image shorter than
    // LensSettings::DECODED_SIZE bytes changes nothing.
    void parseE2p();
    // The settings as they are now, as the lens stores them.
    LensSettings values() const;
    bool communication() const { return communication_; }

    Q_INVOKABLE void commitRingAngle(bool discard);
    Q_INVOKABLE void commitPinto(bool discard);
    Q_INVOKABLE void commitIrisAngle(int slot);
    Q_INVOKABLE void commitFocusTime(int slot) { commitTime(FocusTime, slot); }
    Q_INVOKABLE void commitIrisTime(int slot) { commitTime(IrisTime, slot); }
    Q_INVOKABLE void commitFocusDelay(int slot) { commitTime(FocusDelay, slot); }
    Q_INVOKABLE void commitIrisDelay(int slot) { commitTime(IrisDelay, slot); }
    // Sends one slot of a time or delay as one number of tenths.
    void commitTime(Time which, int slot);
    // The two old values are what a refused write restores.
    Q_INVOKABLE void commitAFLimit(int index, int oldFirst, int oldSecond);
    // The AF limit page picked a new near (far) end for a row, already stored in
    // `aflim_pos`: moves the other end so that near stays in front of far, then sends
    // the row. A lens with a single position leaves the row at [0, 0].
    Q_INVOKABLE void nearChanged(int row, int oldNear);
    Q_INVOKABLE void farChanged(int row, int oldFar);
    // Raises a tens-of-seconds digit by one while below 9 and below the lens's maximum.
    void incrementSec2(int& digit) const;
    Q_INVOKABLE int incrementedSec2(int digit) const;
    Q_INVOKABLE bool isSwitchFunctionBelowTwo() const { return sw_func_ == 0 || sw_func_ == 1; }

    QStringList focus_speed_labels() const { return focus_speed_labels_; }
    QStringList iris_angle_labels() const { return iris_angle_labels_; }

    int ring_function() const { return ring_function_; }
    void setRing_function(int value);
    int direction() const { return direction_; }
    void setDirection(int value);
    bool directionFollowsCamera() const { return direction_ == 2; }
    void setDirectionFollowsCamera(bool follows) { setDirection(follows ? 2 : 0); }
    int ring_response() const { return ring_response_; }
    void setRing_response(int value);
    int sw_func() const { return sw_func_; }
    void setSw_func(int value);
    QList<int> bt_func() const { return bt_func_; }
    void setBt_func(const QList<int>& value);

    double ring_angle() const { return ring_angle_.value; }
    void setRing_angle(double value);
    double ring_angle_oldValue() const { return ring_angle_.oldValue; }
    bool ring_angle_modify_now() const { return ring_angle_.modify_now; }
    double pinto() const { return pinto_.value; }
    void setPinto(double value);
    double pinto_oldValue() const { return pinto_.oldValue; }
    bool pinto_modify_now() const { return pinto_.modify_now; }
    QList<double> speed() const { return speed_.value; }
    void setSpeed(const QList<double>& value);
    QList<double> speed_oldValue() const { return speed_.oldValue; }
    bool speed_modify_now() const { return speed_.modify_now; }
    QList<double> irisAngle() const { return irisAngle_.value; }
    void setIrisAngle(const QList<double>& value);
    QList<double> irisAngle_oldValue() const { return irisAngle_.oldValue; }
    bool irisAngle_modify_now() const { return irisAngle_.modify_now; }

    QList<int> times(Time which) const { return times_[which].value; }
    void setTimes(Time which, const QList<int>& tenths);
    QList<int> times_oldValue(Time which) const { return times_[which].oldValue; }
    bool times_modify_now(Time which) const { return times_[which].modify_now; }

    // The digits of the times; a digit assigned keeps the others of its slot.
    QList<int> focusSec2() const { return digits(FocusTime, 100, 0); }
    void setFocusSec2(const QList<int>& v) { setDigits(FocusTime, 100, 0, v); }
    QList<int> focusSec1() const { return digits(FocusTime, 10, 10); }
    void setFocusSec1(const QList<int>& v) { setDigits(FocusTime, 10, 10, v); }
    QList<int> focusSec0() const { return digits(FocusTime, 1, 10); }
    void setFocusSec0(const QList<int>& v) { setDigits(FocusTime, 1, 10, v); }
    QList<int> irisSec2() const { return digits(IrisTime, 100, 0); }
    void setIrisSec2(const QList<int>& v) { setDigits(IrisTime, 100, 0, v); }
    QList<int> irisSec1() const { return digits(IrisTime, 10, 10); }
    void setIrisSec1(const QList<int>& v) { setDigits(IrisTime, 10, 10, v); }
    QList<int> irisSec0() const { return digits(IrisTime, 1, 10); }
    void setIrisSec0(const QList<int>& v) { setDigits(IrisTime, 1, 10, v); }
    QList<int> focusDelay1() const { return digits(FocusDelay, 10, 0); }
    void setFocusDelay1(const QList<int>& v) { setDigits(FocusDelay, 10, 0, v); }
    QList<int> focusDelay0() const { return digits(FocusDelay, 1, 10); }
    void setFocusDelay0(const QList<int>& v) { setDigits(FocusDelay, 1, 10, v); }
    QList<int> irisDelay1() const { return digits(IrisDelay, 10, 0); }
    void setIrisDelay1(const QList<int>& v) { setDigits(IrisDelay, 10, 0, v); }
    QList<int> irisDelay0() const { return digits(IrisDelay, 1, 10); }
    void setIrisDelay0(const QList<int>& v) { setDigits(IrisDelay, 1, 10, v); }

    QList<QList<int>> aflim_pos() const { return aflim_pos_; }
    void setAflim_pos(const QList<QList<int>>& value);

  signals:
    void ring_functionChanged();
    void directionChanged();
    void ring_responseChanged();
    void ring_angleChanged();
    void pintoChanged();
    void sw_funcChanged();
    void bt_funcChanged();
    void speedChanged();
    void irisAngleChanged();
    void focusSec2Changed();
    void focusSec1Changed();
    void focusSec0Changed();
    void irisSec2Changed();
    void irisSec1Changed();
    void irisSec0Changed();
    void focusDelay1Changed();
    void focusDelay0Changed();
    void irisDelay1Changed();
    void irisDelay0Changed();
    void aflim_posChanged();

    // A write went out: the lock is to be held until writeEnded.
    void writeStarted();
    // The write is over: taken by the lens, or not (a value that does not fit is never
    // sent; a refused one ends after its message, textId, was answered).
    void writeEnded(bool accepted, const QString& textId);
    // An edit came while a write holds the lens; nothing was sent.
    void writeBusy();
    // The lens refused a write (or it never arrived): the message with this text id is
    // to be shown, and `afterOk` run once it is answered; it restores the setting and
    // then ends the write.
    void writeRefused(const QString& textId,
                      const kelvara::LensSettingViewModel::Completion& afterOk);

  private:
    // A setting with its edit bookkeeping: `oldValue` holds the value from before the
    // first of a run of edits until a commit clears `modify_now`.
    template <typename T> struct Edited {
        T value;
        T oldValue;
        bool modify_now = false;
    };

    // One single-setting write. `bytes` is empty when the value does not fit its encoding
    // (`why` says how); `restore` puts back the value from before the edit.
    struct Write {
        const char* name = "";
        int address = 0;
        std::optional<Bytes> bytes;
        QString why;
        std::function<void(LensSettingViewModel&)> restore;
        Callback LensSettingViewModel::*callback = nullptr;
        bool logValue = false; // "name value" goes to the diagnostics before the write
    };

    // The digit worth `unit` tenths of each slot; modulo 0 for the leading digit.
    QList<int> digits(Time which, int unit, int modulo) const;
    void setDigits(Time which, int unit, int modulo, const QList<int>& value);
    template <typename T, typename Announce>
    void edit(Edited<T>& field, const T& value, Announce announce);
    template <typename T> static T closeRun(Edited<T>& field);
    bool validSlot(int slot, const char* operation) const;
    void send(Write write, bool assignment);
    void assignRingByte(int LensSettingViewModel::*field, int value,
                        void (LensSettingViewModel::*changed)(), const char* name,
                        LensSettings::Field address, void (LensSettingViewModel::*setter)(int),
                        Callback LensSettingViewModel::*callback);
    void finish(const Write& write, bool ok, const Bytes& data);
    void quietly(const std::function<void(LensSettingViewModel&)>& change);
    // The ring angle and the AF fine adjustment: one signed byte each.
    void commitSignedByte(Edited<double>& field, const char* name, LensSettings::Field address,
                          void (LensSettingViewModel::*setter)(double),
                          Callback LensSettingViewModel::*callback, bool discard);

    // Lets work finishing after this model is gone find out; read on the main thread only.
    std::shared_ptr<LensSettingViewModel*> self_;
    Bytes e2p_;
    Bytes held_;
    SettingLimits limits_;
    bool locked_ = false;
    bool communication_ = false;
    // Decoding and restoring: no write and no edit bookkeeping.
    bool quiet_ = false;
    QStringList focus_speed_labels_;
    QStringList iris_angle_labels_;
    int ring_function_ = 0;
    int direction_ = 0;
    int ring_response_ = 0;
    Edited<double> ring_angle_{0.0, 0.0};
    Edited<double> pinto_{0.0, 0.0};
    int sw_func_ = 0;
    QList<int> bt_func_{5, 5, 8, 9};
    Edited<QList<double>> speed_{{0, 1, 2, 3}, {0, 0, 0, 0}};
    Edited<QList<double>> irisAngle_{{0, 0, 0, 0}, {0, 0, 0, 0}};
    std::array<Edited<QList<int>>, TIMES> times_;
    QList<QList<int>> aflim_pos_{{0, 9}, {0, 3}, {4, 9}, {0, 3}, {0, 3}, {0, 3}};
};

} // namespace kelvara
