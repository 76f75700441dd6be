#include "LensSettingViewModel.h"

#include "link/CommDataFormat.h"
#include "link/LensClient.h"
#include "platform/Diagnostics.h"
#include "platform/MainThread.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace kelvara {

namespace {

using Field = LensSettings::Field;

constexpr std::uint8_t CAMERA_CONNECTION_STATUS_ERROR = 0x83;

// Before the first image: every digit of slot n is n.
const QList<int> TIMES_INITIAL{0, 111, 222, 333};
const QList<int> DELAYS_INITIAL{0, 11, 22, 33};

// A digit as the pages show it, with the signal announcing a change of it.
struct Digit {
    int unit;
    int modulo; // 0 for the leading digit
    void (LensSettingViewModel::*changed)();
};

using M = LensSettingViewModel;
const std::array<QList<Digit>, M::TIMES> DIGITS{{
    {{100, 0, &M::focusSec2Changed}, {10, 10, &M::focusSec1Changed}, {1, 10, &M::focusSec0Changed}},
    {{100, 0, &M::irisSec2Changed}, {10, 10, &M::irisSec1Changed}, {1, 10, &M::irisSec0Changed}},
    {{10, 0, &M::focusDelay1Changed}, {1, 10, &M::focusDelay0Changed}},
    {{10, 0, &M::irisDelay1Changed}, {1, 10, &M::irisDelay0Changed}},
}};

struct TimeField {
    Field field;
    const char* name;
    LensSettingViewModel::Callback LensSettingViewModel::*callback;
};
const std::array<TimeField, M::TIMES> TIME_FIELDS{{
    {Field::FocusTime, "commitFocusTime", &M::onChangeFocusDriveTime},
    {Field::IrisTime, "commitIrisTime", &M::onChangeIrisDriveTime},
    {Field::FocusDelay, "commitFocusDelay", &M::onChangeFocusDelayTime},
    {Field::IrisDelay, "commitIrisDelay", &M::onChangeIrisDelayTime},
}};

int digitOf(int tenths, int unit, int modulo) {
    return modulo ? tenths / unit % modulo : tenths / unit;
}

// A whole number as the lens stores it for that setting; nothing when it does not fit.
std::optional<Bytes> encoded(Field field, int value, QString& why) {
    const auto [lowest, highest] = LensSettings::range(field);
    if (value < lowest || value > highest) {
        why = QStringLiteral("%1 is outside %2 to %3").arg(value).arg(lowest).arg(highest);
        return std::nullopt;
    }
    return LensSettings::bytes(field, value);
}

// Fractions are dropped as the lens takes no others.
std::optional<Bytes> encoded(Field field, double value, QString& why) {
    const auto [lowest, highest] = LensSettings::range(field);
    const double whole = std::trunc(value);
    if (!std::isfinite(value) || whole < lowest || whole > highest) {
        why = QStringLiteral("%1 is outside %2 to %3").arg(value).arg(lowest).arg(highest);
        return std::nullopt;
    }
    return LensSettings::bytes(field, int(whole));
}

// A shown value as a whole number, as the lens would take it.
int whole(double value) {
    return std::isfinite(value) ? int(std::clamp(std::trunc(value), -1e9, 1e9)) : 0;
}

QString refusalKey(const Bytes& data) {
    if (data.empty())
        return QStringLiteral("Common_LensCommunicationError");
    if (data[0] == CAMERA_CONNECTION_STATUS_ERROR)
        return QStringLiteral("Connect_CameraConnectionStatusError");
    return QStringLiteral("Common_LensError");
}

} // namespace

LensSettingViewModel::LensSettingViewModel(QObject* parent)
    : QObject(parent), self_(std::make_shared<LensSettingViewModel*>(this)) {
    for (int i = 0; i < 8; ++i)
        focus_speed_labels_.append(
            qtTrId(QByteArray("ButtonSelect_Speed").append(char('0' + i)).constData()));
    iris_angle_labels_ = {QStringLiteral("90"), QStringLiteral("120"), QStringLiteral("150"),
                          QStringLiteral("180")};
    for (int t = 0; t < TIMES; ++t)
        times_[std::size_t(t)] = {t < FocusDelay ? TIMES_INITIAL : DELAYS_INITIAL, {0, 0, 0, 0}};
}

LensSettingViewModel::~LensSettingViewModel() {
    *self_ = nullptr;
}

template <typename T, typename Announce>
void LensSettingViewModel::edit(Edited<T>& field, const T& value, Announce announce) {
    const T before = field.value;
    field.value = value;
    if (before != value)
        announce(before);
    if (!quiet_ && !locked_ && !field.modify_now) {
        field.oldValue = before;
        field.modify_now = true;
    }
}

// Ends a run of edits and gives the value a refused write goes back to: the value from
// before the run, or the current one when this field was not edited in it (its
// `oldValue` then belongs to an older run).
template <typename T> T LensSettingViewModel::closeRun(Edited<T>& field) {
    const bool edited = std::exchange(field.modify_now, false);
    return edited ? field.oldValue : field.value;
}

// ---- assignments that send at once ----

// The ring's one-byte settings: assigned, announced and sent, even when unchanged.
void LensSettingViewModel::assignRingByte(int LensSettingViewModel::*field, int value,
                                          void (LensSettingViewModel::*changed)(), const char* name,
                                          Field address, void (LensSettingViewModel::*setter)(int),
                                          Callback LensSettingViewModel::*callback) {
    const int old = std::exchange(this->*field, value);
    if (old != value)
        emit(this->*changed)();
    QString why;
    auto bytes = encoded(address, value, why);
    send({name, LensSettings::address(address), std::move(bytes), why,
          [old, setter](LensSettingViewModel& m) { (m.*setter)(old); }, callback, true},
         true);
}

void LensSettingViewModel::setRing_function(int value) {
    assignRingByte(&LensSettingViewModel::ring_function_, value,
                   &LensSettingViewModel::ring_functionChanged, "ring_function",
                   Field::RingFunction, &LensSettingViewModel::setRing_function, nullptr);
}

void LensSettingViewModel::setDirection(int value) {
    assignRingByte(&LensSettingViewModel::direction_, value,
                   &LensSettingViewModel::directionChanged, "direction", Field::Direction,
                   &LensSettingViewModel::setDirection,
                   &LensSettingViewModel::onChangeRingDirection);
}

void LensSettingViewModel::setRing_response(int value) {
    assignRingByte(&LensSettingViewModel::ring_response_, value,
                   &LensSettingViewModel::ring_responseChanged, "ring_response",
                   Field::RingResponse, &LensSettingViewModel::setRing_response,
                   &LensSettingViewModel::onChangeRingResponse);
}

void LensSettingViewModel::setSw_func(int value) {
    const int old = std::exchange(sw_func_, value);
    if (old == value)
        return;
    emit sw_funcChanged();
    QString why;
    auto bytes = encoded(Field::SwitchFunction, value, why);
    send({"sw_func", LensSettings::address(Field::SwitchFunction), std::move(bytes), why,
          [old](LensSettingViewModel& m) { m.setSw_func(old); }, nullptr},
         true);
}

void LensSettingViewModel::setBt_func(const QList<int>& value) {
    if (value.size() != SLOTS) {
        Diagnostics::line(
            QStringLiteral("bt_func needs %1 slots, got %2: ignored").arg(SLOTS).arg(value.size()));
        return;
    }
    const QList<int> old = std::exchange(bt_func_, value);
    if (old != value)
        emit bt_funcChanged();
    // Only one slot changes per assignment; with none changed, slot 0 is sent again.
    int k = 0;
    for (int i = SLOTS - 1; i >= 0; --i) {
        if (value[i] != old[i]) {
            k = i;
            break;
        }
    }
    QString why;
    auto bytes = encoded(Field::ButtonFunction, value[k], why);
    send({"bt_func", LensSettings::address(Field::ButtonFunction, k), std::move(bytes), why,
          [old](LensSettingViewModel& m) { m.setBt_func(old); },
          &LensSettingViewModel::onChangeButtonFunction},
         true);
}

// ---- assignments that only record the edit ----

void LensSettingViewModel::setRing_angle(double value) {
    edit(ring_angle_, value, [this](const auto&) { emit ring_angleChanged(); });
}

void LensSettingViewModel::setPinto(double value) {
    edit(pinto_, value, [this](const auto&) { emit pintoChanged(); });
}

void LensSettingViewModel::setSpeed(const QList<double>& value) {
    if (value.size() != SLOTS) {
        Diagnostics::line(QStringLiteral("speed needs %1 slots: ignored").arg(SLOTS));
        return;
    }
    edit(speed_, value, [this](const auto&) { emit speedChanged(); });
}

void LensSettingViewModel::setIrisAngle(const QList<double>& value) {
    if (value.size() != SLOTS) {
        Diagnostics::line(QStringLiteral("irisAngle needs %1 slots: ignored").arg(SLOTS));
        return;
    }
    edit(irisAngle_, value, [this](const auto&) { emit irisAngleChanged(); });
}

void LensSettingViewModel::setTimes(Time which, const QList<int>& tenths) {
    if (tenths.size() != SLOTS) {
        Diagnostics::line(QStringLiteral("digit array needs %1 slots: ignored").arg(SLOTS));
        return;
    }
    edit(times_[which], tenths, [this, which, tenths](const QList<int>& before) {
        for (const Digit& d : DIGITS[which]) {
            for (int slot = 0; slot < SLOTS; ++slot) {
                if (digitOf(before[slot], d.unit, d.modulo) !=
                    digitOf(tenths[slot], d.unit, d.modulo)) {
                    emit(this->*d.changed)();
                    break;
                }
            }
        }
    });
}

QList<int> LensSettingViewModel::digits(Time which, int unit, int modulo) const {
    QList<int> out;
    for (int tenths : times_[which].value)
        out.append(digitOf(tenths, unit, modulo));
    return out;
}

void LensSettingViewModel::setDigits(Time which, int unit, int modulo, const QList<int>& value) {
    if (value.size() != SLOTS) {
        Diagnostics::line(QStringLiteral("digit array needs %1 slots: ignored").arg(SLOTS));
        return;
    }
    QList<int> tenths = times_[which].value;
    for (int slot = 0; slot < SLOTS; ++slot)
        tenths[slot] += (value[slot] - digitOf(tenths[slot], unit, modulo)) * unit;
    setTimes(which, tenths);
}

void LensSettingViewModel::setAflim_pos(const QList<QList<int>>& value) {
    const bool wellFormed = value.size() == AF_LIMIT_ROWS &&
                            std::all_of(value.begin(), value.end(),
                                        [](const QList<int>& pair) { return pair.size() == 2; });
    if (!wellFormed) {
        Diagnostics::line(QStringLiteral("aflim_pos needs %1 pairs: ignored").arg(AF_LIMIT_ROWS));
        return;
    }
    if (aflim_pos_ == value)
        return;
    aflim_pos_ = value;
    emit aflim_posChanged();
}

// ---- commits ----

void LensSettingViewModel::commitRingAngle(bool discard) {
    commitSignedByte(ring_angle_, "ring_angle", Field::RingAngle,
                     &LensSettingViewModel::setRing_angle, &LensSettingViewModel::onChangeRingAngle,
                     discard);
}

void LensSettingViewModel::commitPinto(bool discard) {
    commitSignedByte(pinto_, "pinto", Field::Pinto, &LensSettingViewModel::setPinto,
                     &LensSettingViewModel::onChangeAdjustmentPinto, discard);
}

void LensSettingViewModel::commitSignedByte(Edited<double>& field, const char* name, Field address,
                                            void (LensSettingViewModel::*setter)(double),
                                            Callback LensSettingViewModel::*callback,
                                            bool discard) {
    const double old = closeRun(field);
    if (discard)
        return;
    QString why;
    auto bytes = encoded(address, field.value, why);
    send({name, LensSettings::address(address), std::move(bytes), why,
          [old, setter](LensSettingViewModel& m) { (m.*setter)(old); }, callback},
         false);
}

bool LensSettingViewModel::validSlot(int slot, const char* operation) const {
    if (slot >= 0 && slot < SLOTS)
        return true;
    Diagnostics::line(QStringLiteral("%1: no slot %2").arg(QLatin1String(operation)).arg(slot));
    return false;
}

void LensSettingViewModel::commitIrisAngle(int slot) {
    const QList<double> old = closeRun(irisAngle_);
    if (!validSlot(slot, "commitIrisAngle"))
        return;
    QString why;
    auto bytes = encoded(Field::IrisAngle, irisAngle_.value[slot], why);
    send({"irisAngle", LensSettings::address(Field::IrisAngle, slot), std::move(bytes), why,
          [old](LensSettingViewModel& m) { m.setIrisAngle(old); },
          &LensSettingViewModel::onChangeIrisAngle},
         false);
}

void LensSettingViewModel::commitTime(Time which, int slot) {
    const QList<int> old = closeRun(times_[which]);
    const TimeField& t = TIME_FIELDS[which];
    if (!validSlot(slot, t.name))
        return;
    QString why;
    auto bytes = encoded(t.field, times_[which].value[slot], why);
    send({t.name, LensSettings::address(t.field, slot), std::move(bytes), why,
          [which, old](LensSettingViewModel& m) { m.setTimes(which, old); }, t.callback},
         false);
}

void LensSettingViewModel::commitAFLimit(int index, int oldFirst, int oldSecond) {
    Diagnostics::line(QStringLiteral("old:%1,%2").arg(oldFirst).arg(oldSecond));
    if (index < 0 || index >= AF_LIMIT_ROWS) {
        Diagnostics::line(QStringLiteral("commitAFLimit: no row %1").arg(index));
        return;
    }
    const int first = aflim_pos_[index][0];
    const int second = aflim_pos_[index][1];
    // Each index travels in one nibble.
    std::optional<Bytes> bytes;
    QString why;
    if (first < 0 || first > 15 || second < 0 || second > 15)
        why = QStringLiteral("[%1, %2] does not fit two nibbles").arg(first).arg(second);
    else
        bytes = LensSettings::bytes(Field::AfLimit, first + 16 * second);
    send({"aflim_pos", LensSettings::address(Field::AfLimit, index), std::move(bytes), why,
          [index, oldFirst, oldSecond](LensSettingViewModel& m) {
              auto rows = m.aflim_pos_;
              rows[index] = {oldFirst, oldSecond};
              m.setAflim_pos(rows);
          },
          &LensSettingViewModel::onChangeAFLimit},
         false);
}

void LensSettingViewModel::nearChanged(int row, int oldNear) {
    if (row < 0 || row >= AF_LIMIT_ROWS) {
        Diagnostics::line(QStringLiteral("nearChanged: no row %1").arg(row));
        return;
    }
    // A decoded table always holds position 0.
    const int last = std::max(1, limits_.limitPositions) - 1;
    auto rows = aflim_pos_;
    // A pick outside the table is limited to it, as the decode limits stored indices.
    int nearIndex = std::clamp(rows[row][0], 0, last);
    const int oldFar = rows[row][1];
    int farIndex = oldFar;
    if (nearIndex >= farIndex)
        farIndex = nearIndex + 1;
    farIndex = std::min(farIndex, last);
    rows[row] = {nearIndex, farIndex};
    setAflim_pos(rows);
    Diagnostics::line(QStringLiteral("near ") + QString::number(row));
    commitAFLimit(row, oldNear, oldFar);
}

void LensSettingViewModel::farChanged(int row, int oldFar) {
    if (row < 0 || row >= AF_LIMIT_ROWS) {
        Diagnostics::line(QStringLiteral("farChanged: no row %1").arg(row));
        return;
    }
    // A decoded table always holds position 0.
    const int last = std::max(1, limits_.limitPositions) - 1;
    auto rows = aflim_pos_;
    const int farIndex = std::clamp(rows[row][1], 0, last);
    const int oldNear = rows[row][0];
    int nearIndex = oldNear;
    if (nearIndex >= farIndex)
        nearIndex = std::max(farIndex - 1, 0);
    rows[row] = {nearIndex, farIndex};
    setAflim_pos(rows);
    Diagnostics::line(QStringLiteral("far  ") + QString::number(row));
    commitAFLimit(row, oldNear, oldFar);
}

void LensSettingViewModel::incrementSec2(int& digit) const {
    if (digit < 9 && digit < limits_.maxSec2)
        ++digit;
}

int LensSettingViewModel::incrementedSec2(int digit) const {
    incrementSec2(digit);
    return digit;
}

// ---- the write and its outcome ----

void LensSettingViewModel::quietly(const std::function<void(LensSettingViewModel&)>& change) {
    const bool wasQuiet = std::exchange(quiet_, true);
    change(*this);
    quiet_ = wasQuiet;
}

void LensSettingViewModel::send(Write write, bool assignment) {
    if (quiet_ || (assignment && !communication_))
        return;
    if (locked_) {
        emit writeBusy();
        return;
    }
    if (!write.bytes) {
        Diagnostics::line(QLatin1String(write.name) + QStringLiteral(" not sent: ") + write.why);
        quietly(write.restore);
        if (write.callback) {
            const Callback callback = this->*write.callback;
            if (callback)
                callback(false);
        }
        emit writeEnded(false, QString());
        return;
    }
    if (write.logValue)
        Diagnostics::line(QLatin1String(write.name) + QLatin1Char(' ') +
                          QString::number((*write.bytes)[0]));
    emit writeStarted();
    const Bytes bytes = *write.bytes;
    const auto frame = CommDataFormat::buildWrite(true, std::uint8_t(write.address >> 8),
                                                  std::uint8_t(write.address & 0xFF),
                                                  std::uint8_t(bytes.size()), bytes);
    LensClient::exchange(frame, LensClient::withStatus([self = self_, write = std::move(write)](
                                                           bool ok, const Bytes& data) {
                             // A write that could not be sent completes on the worker.
                             const auto run = [self, write, ok, data] {
                                 if (*self)
                                     (*self)->finish(write, ok, data);
                             };
                             if (MainThread::isCurrent())
                                 run();
                             else
                                 MainThread::post(run);
                         }));
}

void LensSettingViewModel::finish(const Write& write, bool ok, const Bytes& data) {
    const Callback callback = write.callback ? this->*write.callback : Callback();
    if (ok) {
        const Bytes& bytes = *write.bytes;
        if (std::size_t(write.address) + bytes.size() <= held_.size())
            std::copy(bytes.begin(), bytes.end(), held_.begin() + write.address);
        emit writeEnded(true, QString());
        if (callback)
            callback(true);
        return;
    }
    // The write ends only when the user has seen the message and the value is back.
    const QString key = refusalKey(data);
    emit writeRefused(key, [self = self_, restore = write.restore, key] {
        LensSettingViewModel* m = *self;
        if (!m)
            return;
        m->communication_ = false;
        m->quietly(restore);
        emit m->writeEnded(false, key);
        m->communication_ = true;
    });
    if (callback)
        callback(false);
}

// ---- decode ----

void LensSettingViewModel::parseE2p() {
    const std::optional<LensSettings> decoded = LensSettings::decode(e2p_);
    if (!decoded)
        return;
    const LensSettings& v = *decoded;
    const SettingLimits& info = limits_;
    communication_ = false;
    quiet_ = true;

    setRing_function(v.ringFunction);
    setDirection(v.direction);
    setRing_response(v.ringResponse);

    setRing_angle(info.ringAngle.clamp(v.ringAngle));
    ring_angle_.oldValue = v.ringAngle;

    // A stored index past the lens's table means its last position.
    const int lastPosition = std::max(0, info.limitPositions - 1);
    const auto limited = [lastPosition](int index) { return std::min(index, lastPosition); };
    QList<QList<int>> rows;
    for (const LensSettings::AfLimitRow& row : v.afLimit)
        rows.append({limited(row.nearIndex), limited(row.farIndex)});
    setAflim_pos(rows);

    setPinto(info.pinto.clamp(v.pinto));
    pinto_.oldValue = v.pinto;

    setSw_func(v.switchFunction);
    setBt_func(QList<int>(v.buttonFunction.begin(), v.buttonFunction.end()));

    // A time whose tens of seconds pass the lens's maximum shows as the longest it takes;
    // a delay past 99.9 s as 9.9 s, a shorter one by its last two digits.
    const int longest = 100 * info.maxSec2 + 99;
    const auto times = [&](const LensSettings::Slots& raw, bool delay) {
        QList<int> out;
        for (int t : raw)
            out.append(delay ? (t > 999 ? 99 : t % 100) : (t / 100 <= info.maxSec2 ? t : longest));
        return out;
    };
    setTimes(FocusTime, times(v.focusTime, false));
    setTimes(IrisTime, times(v.irisTime, false));
    setTimes(FocusDelay, times(v.focusDelay, true));
    setTimes(IrisDelay, times(v.irisDelay, true));

    QList<double> rawIris;
    QList<double> iris;
    QList<double> rawSpeed;
    QList<double> speed;
    for (int slot = 0; slot < SLOTS; ++slot) {
        rawIris.append(v.irisAngle[std::size_t(slot)]);
        iris.append(info.irisAngle.clamp(rawIris.last()));
        rawSpeed.append(v.focusSpeed[std::size_t(slot)]);
        speed.append(info.focusSpeed.clamp(rawSpeed.last()));
    }
    setIrisAngle(iris);
    irisAngle_.oldValue = rawIris;
    setSpeed(speed);
    speed_.oldValue = rawSpeed;

    // An edit cannot span a new image: the next edit starts its own run.
    ring_angle_.modify_now = false;
    pinto_.modify_now = false;
    speed_.modify_now = false;
    irisAngle_.modify_now = false;
    for (auto& t : times_)
        t.modify_now = false;

    quiet_ = false;
    communication_ = true;
}

LensSettings LensSettingViewModel::values() const {
    LensSettings v;
    v.ringFunction = ring_function_;
    v.direction = direction_;
    v.ringResponse = ring_response_;
    v.ringAngle = whole(ring_angle_.value);
    v.pinto = whole(pinto_.value);
    v.switchFunction = sw_func_;
    for (int slot = 0; slot < SLOTS; ++slot) {
        const auto i = std::size_t(slot);
        v.irisAngle[i] = whole(irisAngle_.value[slot]);
        v.focusSpeed[i] = whole(speed_.value[slot]);
        v.buttonFunction[i] = bt_func_[slot];
        v.focusTime[i] = times_[FocusTime].value[slot];
        v.irisTime[i] = times_[IrisTime].value[slot];
        v.focusDelay[i] = times_[FocusDelay].value[slot];
        v.irisDelay[i] = times_[IrisDelay].value[slot];
    }
    for (int row = 0; row < AF_LIMIT_ROWS; ++row)
        v.afLimit[std::size_t(row)] = {aflim_pos_[row][0], aflim_pos_[row][1]};
    return v;
}

} // namespace kelvara
