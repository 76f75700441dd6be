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

constexpr int RING_FUNCTION_ADDRESS = 0x0000;
constexpr int DIRECTION_ADDRESS = 0x0001;
constexpr int RING_RESPONSE_ADDRESS = 0x0002;
constexpr int RING_ANGLE_ADDRESS = 0x0003;
constexpr int IRIS_ANGLE_ADDRESS = 0x0005;
constexpr int AF_LIMIT_LOW_ADDRESS = 0x0010;  // rows 0 to 2
constexpr int AF_LIMIT_HIGH_ADDRESS = 0x00DD; // plus row, for rows 3 to 5
constexpr int PINTO_ADDRESS = 0x0013;
constexpr int SW_FUNC_ADDRESS = 0x0040;
constexpr int BT_FUNC_ADDRESS = 0x0050;
constexpr int SPEED_OFFSET = 0x0060;
constexpr int FOCUS_TIME_ADDRESS = 0x0120;
constexpr int IRIS_TIME_ADDRESS = 0x0128;
constexpr int FOCUS_DELAY_ADDRESS = 0x0130;
constexpr int IRIS_DELAY_ADDRESS = 0x0138;

constexpr std::uint8_t CAMERA_CONNECTION_STATUS_ERROR = 0x83;

const QList<int> DIGITS_INITIAL{0, 1, 2, 3};

using Digits = LensSettingViewModel::Digits;
using DigitSignal = void (LensSettingViewModel::*)();

DigitSignal digitSignal(Digits which) {
    static constexpr DigitSignal signals_[] = {
        &LensSettingViewModel::focusSec2Changed,   &LensSettingViewModel::focusSec1Changed,
        &LensSettingViewModel::focusSec0Changed,   &LensSettingViewModel::irisSec2Changed,
        &LensSettingViewModel::irisSec1Changed,    &LensSettingViewModel::irisSec0Changed,
        &LensSettingViewModel::focusDelay1Changed, &LensSettingViewModel::focusDelay0Changed,
        &LensSettingViewModel::irisDelay1Changed,  &LensSettingViewModel::irisDelay0Changed};
    return signals_[which];
}

std::optional<Bytes> unsignedByte(int value, QString& why) {
    if (value < 0 || value > 255) {
        why = QStringLiteral("%1 is outside 0 to 255").arg(value);
        return std::nullopt;
    }
    return Bytes{std::uint8_t(value)};
}

// Whole numbers sent as one byte; fractions are dropped as the lens takes no others.
std::optional<Bytes> truncatedByte(double value, int lowest, int highest, QString& why) {
    const double whole = std::trunc(value);
    if (!std::isfinite(value) || whole < lowest || whole > highest) {
        why = QStringLiteral("%1 is outside %2 to %3").arg(value).arg(lowest).arg(highest);
        return std::nullopt;
    }
    return Bytes{std::uint8_t(int(whole) & 0xFF)};
}

std::optional<Bytes> littleEndian16(int value, QString& why) {
    if (value < 0 || value > 0xFFFF) {
        why = QStringLiteral("%1 is outside 0 to 65535").arg(value);
        return std::nullopt;
    }
    return Bytes{std::uint8_t(value & 0xFF), std::uint8_t(value >> 8)};
}

int signedByte(std::uint8_t b) {
    return std::int8_t(b);
}

int le16(const Bytes& image, int offset) {
    return image[std::size_t(offset)] + 256 * image[std::size_t(offset + 1)];
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
    for (auto& d : digits_)
        d = {DIGITS_INITIAL, {0, 0, 0, 0}, false};
}

LensSettingViewModel::~LensSettingViewModel() {
    *self_ = nullptr;
}

template <typename T, typename Signal>
void LensSettingViewModel::edit(Edited<T>& field, const T& value, Signal changed) {
    const T before = field.value;
    field.value = value;
    if (before != value)
        emit(this->*changed)();
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
                                          void (LensSettingViewModel::*changed)(),
                                          const char* name, int address,
                                          void (LensSettingViewModel::*setter)(int),
                                          Callback LensSettingViewModel::*callback) {
    const int old = std::exchange(this->*field, value);
    if (old != value)
        emit(this->*changed)();
    QString why;
    auto bytes = unsignedByte(value, why);
    send({name, address, std::move(bytes), why,
          [old, setter](LensSettingViewModel& m) { (m.*setter)(old); }, callback, true},
         true);
}

void LensSettingViewModel::setRing_function(int value) {
    assignRingByte(&LensSettingViewModel::ring_function_, value,
                   &LensSettingViewModel::ring_functionChanged, "ring_function",
                   RING_FUNCTION_ADDRESS, &LensSettingViewModel::setRing_function, nullptr);
}

void LensSettingViewModel::setDirection(int value) {
    assignRingByte(&LensSettingViewModel::direction_, value, &LensSettingViewModel::directionChanged,
                   "direction", DIRECTION_ADDRESS, &LensSettingViewModel::setDirection,
                   &LensSettingViewModel::onChangeRingDirection);
}

void LensSettingViewModel::setRing_response(int value) {
    assignRingByte(&LensSettingViewModel::ring_response_, value,
                   &LensSettingViewModel::ring_responseChanged, "ring_response",
                   RING_RESPONSE_ADDRESS, &LensSettingViewModel::setRing_response,
                   &LensSettingViewModel::onChangeRingResponse);
}

void LensSettingViewModel::setSw_func(int value) {
    const int old = std::exchange(sw_func_, value);
    if (old == value)
        return;
    emit sw_funcChanged();
    QString why;
    auto bytes = unsignedByte(value, why);
    send({"sw_func", SW_FUNC_ADDRESS, std::move(bytes), why,
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
    auto bytes = unsignedByte(value[k], why);
    send({"bt_func", BT_FUNC_ADDRESS + k, std::move(bytes), why,
          [old](LensSettingViewModel& m) { m.setBt_func(old); },
          &LensSettingViewModel::onChangeButtonFunction},
         true);
}

// ---- assignments that only record the edit ----

void LensSettingViewModel::setRing_angle(double value) {
    edit(ring_angle_, value, &LensSettingViewModel::ring_angleChanged);
}

void LensSettingViewModel::setPinto(double value) {
    edit(pinto_, value, &LensSettingViewModel::pintoChanged);
}

void LensSettingViewModel::setSpeed(const QList<double>& value) {
    if (value.size() != SLOTS) {
        Diagnostics::line(QStringLiteral("speed needs %1 slots: ignored").arg(SLOTS));
        return;
    }
    edit(speed_, value, &LensSettingViewModel::speedChanged);
}

void LensSettingViewModel::setIrisAngle(const QList<double>& value) {
    if (value.size() != SLOTS) {
        Diagnostics::line(QStringLiteral("irisAngle needs %1 slots: ignored").arg(SLOTS));
        return;
    }
    edit(irisAngle_, value, &LensSettingViewModel::irisAngleChanged);
}

void LensSettingViewModel::setDigits(Digits which, const QList<int>& value) {
    if (value.size() != SLOTS) {
        Diagnostics::line(QStringLiteral("digit array needs %1 slots: ignored").arg(SLOTS));
        return;
    }
    edit(digits_[std::size_t(which)], value, digitSignal(which));
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
    commitSignedByte(ring_angle_, "ring_angle", RING_ANGLE_ADDRESS,
                     &LensSettingViewModel::setRing_angle, &LensSettingViewModel::onChangeRingAngle,
                     discard);
}

void LensSettingViewModel::commitPinto(bool discard) {
    commitSignedByte(pinto_, "pinto", PINTO_ADDRESS, &LensSettingViewModel::setPinto,
                     &LensSettingViewModel::onChangeAdjustmentPinto, discard);
}

void LensSettingViewModel::commitSignedByte(Edited<double>& field, const char* name, int address,
                                            void (LensSettingViewModel::*setter)(double),
                                            Callback LensSettingViewModel::*callback,
                                            bool discard) {
    const double old = closeRun(field);
    if (discard)
        return;
    QString why;
    auto bytes = truncatedByte(field.value, -128, 127, why);
    send({name, address, std::move(bytes), why,
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
    auto bytes = truncatedByte(irisAngle_.value[slot], 0, 255, why);
    send({"irisAngle", IRIS_ANGLE_ADDRESS + slot, std::move(bytes), why,
          [old](LensSettingViewModel& m) { m.setIrisAngle(old); },
          &LensSettingViewModel::onChangeIrisAngle},
         false);
}

void LensSettingViewModel::commitDigits(int slot, const QList<Digits>& which, int address,
                                        const char* name, Callback LensSettingViewModel::*callback) {
    QList<QList<int>> old;
    for (Digits d : which)
        old.append(closeRun(digits_[std::size_t(d)]));
    if (!validSlot(slot, name))
        return;
    // The digits, highest first, make one number of tenths of a second.
    int tenths = 0;
    for (Digits d : which)
        tenths = 10 * tenths + digit(d).value[slot];
    QString why;
    auto bytes = littleEndian16(tenths, why);
    send({name, address + 2 * slot, std::move(bytes), why,
          [which, old](LensSettingViewModel& m) {
              for (qsizetype i = 0; i < which.size(); ++i)
                  m.setDigits(which[i], old[i]);
          },
          callback},
         false);
}

void LensSettingViewModel::commitFocusTime(int slot) {
    commitDigits(slot, {FocusSec2, FocusSec1, FocusSec0}, FOCUS_TIME_ADDRESS, "commitFocusTime",
                 &LensSettingViewModel::onChangeFocusDriveTime);
}

void LensSettingViewModel::commitIrisTime(int slot) {
    commitDigits(slot, {IrisSec2, IrisSec1, IrisSec0}, IRIS_TIME_ADDRESS, "commitIrisTime",
                 &LensSettingViewModel::onChangeIrisDriveTime);
}

void LensSettingViewModel::commitFocusDelay(int slot) {
    commitDigits(slot, {FocusDelay1, FocusDelay0}, FOCUS_DELAY_ADDRESS, "commitFocusDelay",
                 &LensSettingViewModel::onChangeFocusDelayTime);
}

void LensSettingViewModel::commitIrisDelay(int slot) {
    commitDigits(slot, {IrisDelay1, IrisDelay0}, IRIS_DELAY_ADDRESS, "commitIrisDelay",
                 &LensSettingViewModel::onChangeIrisDelayTime);
}

void LensSettingViewModel::commitAFLimit(int index, int oldFirst, int oldSecond) {
    Diagnostics::line(QStringLiteral("old:%1,%2").arg(oldFirst).arg(oldSecond));
    if (index < 0 || index >= AF_LIMIT_ROWS) {
        Diagnostics::line(QStringLiteral("commitAFLimit: no row %1").arg(index));
        return;
    }
    const int first = aflim_pos_[index][0];
    const int second = aflim_pos_[index][1];
    const int address = index < 3 ? AF_LIMIT_LOW_ADDRESS + index : AF_LIMIT_HIGH_ADDRESS + index;
    // Each index travels in one nibble.
    std::optional<Bytes> bytes;
    QString why;
    if (first < 0 || first > 15 || second < 0 || second > 15)
        why = QStringLiteral("[%1, %2] does not fit two nibbles").arg(first).arg(second);
    else
        bytes = Bytes{std::uint8_t((first & 0x0F) + 16 * second)};
    send({"aflim_pos", address, std::move(bytes), why,
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
    if (quiet_ || (assignment && !communication_) || locked_)
        return;
    if (!write.bytes) {
        Diagnostics::line(QLatin1String(write.name) + QStringLiteral(" not sent: ") + write.why);
        quietly(write.restore);
        if (write.callback) {
            const Callback callback = this->*write.callback;
            if (callback)
                callback(false);
        }
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
        emit writeEnded();
        if (callback)
            callback(true);
        return;
    }
    // The write ends only when the user has seen the message and the value is back.
    emit writeRefused(refusalKey(data), [self = self_, restore = write.restore] {
        LensSettingViewModel* m = *self;
        if (!m)
            return;
        m->communication_ = false;
        m->quietly(restore);
        emit m->writeEnded();
        m->communication_ = true;
    });
    if (callback)
        callback(false);
}

// ---- decode ----

void LensSettingViewModel::parseE2p() {
    if (e2p_.size() < std::size_t(DECODED_SIZE))
        return;
    const Bytes& image = e2p_;
    const SettingLimits& info = limits_;
    communication_ = false;
    quiet_ = true;

    setRing_function(image[0]);
    setDirection(image[1]);
    setRing_response(image[2]);

    const int rawAngle = signedByte(image[3]);
    setRing_angle(info.ringAngle.clamp(rawAngle));
    ring_angle_.oldValue = rawAngle;

    // A stored index past the lens's table means its last position.
    const int lastPosition = std::max(0, info.limitPositions - 1);
    const auto limited = [lastPosition](int nibble) { return std::min(nibble, lastPosition); };
    QList<QList<int>> rows;
    for (int offset : {16, 17, 18, 224, 225, 226}) {
        const std::uint8_t b = image[std::size_t(offset)];
        rows.append({limited(b & 0x0F), limited(b >> 4)});
    }
    setAflim_pos(rows);

    const int rawPinto = signedByte(image[19]);
    setPinto(info.pinto.clamp(rawPinto));
    pinto_.oldValue = rawPinto;

    setSw_func(image[64]);
    setBt_func({image[80], image[81], image[82], image[83]});

    const int maxSec2 = info.maxSec2;
    const auto decodeTimes = [&](int offset, std::array<Digits, 3> which) {
        std::array<QList<int>, 3> d{digit(which[0]).value, digit(which[1]).value,
                                    digit(which[2]).value};
        for (int slot = 0; slot < SLOTS; ++slot) {
            const int v = le16(image, offset + 2 * slot);
            const int h = v / 100;
            const bool fits = h <= maxSec2;
            d[0][slot] = fits ? h : maxSec2;
            d[1][slot] = fits ? (v % 100) / 10 : 9;
            d[2][slot] = fits ? v % 10 : 9;
        }
        for (std::size_t i = 0; i < 3; ++i)
            setDigits(which[i], d[i]);
    };
    decodeTimes(288, {FocusSec2, FocusSec1, FocusSec0});
    decodeTimes(296, {IrisSec2, IrisSec1, IrisSec0});

    const auto decodeDelays = [&](int offset, std::array<Digits, 2> which) {
        std::array<QList<int>, 2> d{digit(which[0]).value, digit(which[1]).value};
        for (int slot = 0; slot < SLOTS; ++slot) {
            const int v = le16(image, offset + 2 * slot);
            d[0][slot] = v > 999 ? 9 : (v % 100) / 10;
            d[1][slot] = v > 999 ? 9 : v % 10;
        }
        for (std::size_t i = 0; i < 2; ++i)
            setDigits(which[i], d[i]);
    };
    decodeDelays(304, {FocusDelay1, FocusDelay0});
    decodeDelays(312, {IrisDelay1, IrisDelay0});

    QList<double> rawIris;
    QList<double> iris;
    QList<double> rawSpeed;
    QList<double> speed;
    for (int slot = 0; slot < SLOTS; ++slot) {
        rawIris.append(image[std::size_t(5 + slot)]);
        iris.append(info.irisAngle.clamp(rawIris.last()));
        rawSpeed.append(image[std::size_t(SPEED_OFFSET + slot)]);
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
    for (auto& d : digits_)
        d.modify_now = false;

    quiet_ = false;
    communication_ = true;
}

} // namespace kelvara
