// The settings image as a value and the settings model over an in-memory port, with the
// test holding the write lock as the controller does: decoding the image at its
// boundaries, the bytes of every single-setting write, the lock that freezes edits,
// refused writes with their message and restore, and values that cannot be sent.
#include "DiagnosticCapture.h"
#include "FakeSerialPort.h"
#include "Rows.h"
#include "SettingsActions.h"
#include "link/LensClient.h"
#include "model/LensSettingViewModel.h"
#include "platform/Environment.h"

#include <QRegularExpression>
#include <QTest>

#include <cmath>
#include <limits>
#include <memory>

using namespace kelvara;

namespace {

using test::Patch;
using test::patched;
using test::row;
using test::rowOf;
using test::rows;
using test::rowsOf;
using test::with;
using test::withRow;

using Action = test::SettingsAction;
using test::angle;
using test::pinto;
using test::set;
using test::timeOf;

// Ring 0 ... 7, adjustment -5 ... 5, iris 0 ... 3, speed 0 ... 6, tens of seconds up to 1,
// eight AF limit positions.
const SettingLimits DEFAULT_LIMITS{{0, 7}, {-5, 5}, {0, 3}, {0, 6}, 1, 8};

// An image as a lens might hold it: every setting at a plain value.
const Patch DEFAULT_IMAGE{{0, {1, 0, 1, 2, 0, 1, 1, 1, 1}},
                          {16, {0x10, 0x31, 0x74}},
                          {19, {1}},
                          {64, {0}},
                          {80, {5, 5, 8, 9}},
                          {96, {1, 2, 3, 4}},
                          {224, {0x10, 0x20, 0x30}},
                          {288, {0x0A, 0, 0x7D, 0, 0x14, 0, 0, 0}},
                          {296, {0x0B, 0, 0x0C, 0, 0x0D, 0, 0x0E, 0}},
                          {304, {0x0F, 0, 0x10, 0, 0x11, 0, 0x12, 0}},
                          {312, {0x01, 0, 0x02, 0, 0x03, 0, 0x04, 0}}};

using M = LensSettingViewModel;

Action irisAngle(int slot, double value) {
    return [slot, value](M& m) {
        m.setIrisAngle(with(m.irisAngle(), slot, value));
        m.commitIrisAngle(slot);
    };
}

Action afLimit(int row, int nearIndex, int farIndex, int oldNear, int oldFar) {
    return [=](M& m) {
        m.setAflim_pos(withRow(m.aflim_pos(), row, nearIndex, farIndex));
        m.commitAFLimit(row, oldNear, oldFar);
    };
}

// One edit of DEFAULT_IMAGE and the single write it sends.
struct Write {
    const char* name;
    Action edit;
    QString write;    // as "address=bytes"
    QString callback; // empty: the setting has none
};

const QList<Write> WRITES{
    {"ring function", set(&M::setRing_function, 7), "0000=07", ""},
    {"ring function unchanged is sent again", [](M& m) { m.setRing_function(m.ring_function()); },
     "0000=01", ""},
    {"direction", set(&M::setDirection, 1), "0001=01", "direction"},
    {"direction following the camera", set(&M::setDirectionFollowsCamera, true), "0001=02",
     "direction"},
    {"ring response", set(&M::setRing_response, 2), "0002=02", "response"},
    {"ring angle", angle(-3), "0003=FD", "angle"},
    {"ring angle fraction dropped", angle(2.7), "0003=02", "angle"},
    {"ring angle lowest", angle(-128), "0003=80", "angle"},
    {"iris angle", irisAngle(2, 3.0), "0007=03", "iris angle"},
    {"af limit row 0", afLimit(0, 1, 2, 0, 1), "0010=21", "af limit"},
    {"af limit row 2", afLimit(2, 6, 7, 4, 7), "0012=76", "af limit"},
    {"af limit row 3", afLimit(3, 0, 15, 0, 1), "00E0=F0", "af limit"},
    {"af limit row 4", afLimit(4, 2, 5, 0, 2), "00E1=52", "af limit"},
    {"pinto", pinto(-2), "0013=FE", "pinto"},
    {"switch function", set(&M::setSw_func, 3), "0040=03", ""},
    {"one button slot", set(&M::setBt_func, QList<int>{5, 12, 8, 9}), "0051=0C", "button"},
    {"highest changed slot", set(&M::setBt_func, QList<int>{6, 5, 8, 10}), "0053=0A", "button"},
    {"button unchanged: slot 0", [](M& m) { m.setBt_func(m.bt_func()); }, "0050=05", "button"},
    {"focus time", timeOf(M::FocusTime, 2, 125), "0124=7D00", "focus time"},
    // The pages edit a time digit by digit.
    {"focus time longest",
     [](M& m) {
         m.setFocusSec2(with(m.focusSec2(), 0, 9));
         m.setFocusSec1(with(m.focusSec1(), 0, 9));
         m.setFocusSec0(with(m.focusSec0(), 0, 9));
         m.commitFocusTime(0);
     },
     "0120=E703", "focus time"},
    {"one digit of a time",
     [](M& m) {
         m.setFocusSec0(with(m.focusSec0(), 1, 9));
         m.commitFocusTime(1);
     },
     "0122=8100", "focus time"},
    {"iris time", timeOf(M::IrisTime, 1, 200), "012A=C800", "iris time"},
    {"focus delay",
     [](M& m) {
         m.setFocusDelay1(with(m.focusDelay1(), 3, 3));
         m.setFocusDelay0(with(m.focusDelay0(), 3, 5));
         m.commitFocusDelay(3);
     },
     "0136=2300", "focus delay"},
    {"iris delay", timeOf(M::IrisDelay, 0, 99), "0138=6300", "iris delay"},
};

// A value that does not fit its encoding, the name its diagnostic line starts with and
// the callback told of the failure.
struct Unsendable {
    const char* name;
    Action edit;
    QString logged;
    QString callback;
};

const QList<Unsendable> UNSENDABLE{
    {"ring angle 200", angle(200), "ring_angle", "angle"},
    {"ring angle infinite", angle(std::numeric_limits<double>::infinity()), "ring_angle", "angle"},
    {"pinto NaN", pinto(std::nan("")), "pinto", "pinto"},
    {"pinto -129", pinto(-129), "pinto", "pinto"},
    {"direction 300", set(&M::setDirection, 300), "direction", "direction"},
    {"ring response -1", set(&M::setRing_response, -1), "ring_response", "response"},
    {"button -1", set(&M::setBt_func, QList<int>{5, 5, -1, 9}), "bt_func", "button"},
    {"iris angle 256", irisAngle(0, 256.0), "irisAngle", "iris angle"},
    {"focus time 70000",
     [](M& m) {
         m.setFocusSec2(with(m.focusSec2(), 0, 700));
         m.commitFocusTime(0);
     },
     "commitFocusTime", "focus time"},
    {"iris delay -1", timeOf(M::IrisDelay, 1, -1), "commitIrisDelay", "iris delay"},
    {"af limit far 16", afLimit(1, 0, 16, 1, 3), "aflim_pos", "af limit"},
};

// Edits that send nothing.
const QList<std::pair<const char*, Action>> SILENT{
    {"switch function unchanged", [](M& m) { m.setSw_func(m.sw_func()); }},
    {"discarded ring angle", angle(5, true)},
    {"discarded pinto", pinto(4, true)},
    {"speed has no write", set(&M::setSpeed, QList<double>{6, 5, 4, 3})},
    {"digits alone",
     [](M& m) {
         m.setFocusSec1({1, 1, 1, 1});
         m.setIrisDelay0({2, 2, 2, 2});
     }},
    {"no such slot",
     [](M& m) {
         m.commitIrisAngle(4);
         m.commitFocusTime(-1);
         m.commitIrisDelay(7);
     }},
    {"no such af limit row",
     [](M& m) {
         const auto rows = m.aflim_pos();
         for (int row : {-1, 6}) {
             m.commitAFLimit(row, 0, 1);
             m.nearChanged(row, 0);
             m.farChanged(row, 1);
         }
         QCOMPARE(m.aflim_pos(), rows);
     }},
};

} // namespace

class TestLensSetting : public QObject {
    Q_OBJECT

    std::shared_ptr<Environment> environment;
    test::FakePortFactory factory;
    std::unique_ptr<LensSettingViewModel> model;
    // The write lock, and the refusal messages not yet answered, as the controller keeps them.
    bool lock = false;
    QStringList messages;
    QList<LensSettingViewModel::Completion> unanswered;
    // The lens's answer to a write; none: it stays silent.
    std::optional<Bytes> writeReply;
    // Outcomes reported to each callback, by name.
    QHash<QString, QList<bool>> outcomes;

    LensSettingViewModel& settings() { return *model; }

    QStringList sent() const { return test::settingsWrites(factory.log()); }

    void respondOk() { unanswered.takeFirst()(); }

    void decodeImage(const Patch& patches, std::size_t size = 512) {
        settings().setE2p(patched(size, patches));
        settings().parseE2p();
    }

    void recordCallbacks() {
        for (const auto& [name, member] : test::writeCallbacks())
            settings().*member = [this, name](bool ok) { outcomes[name] << ok; };
    }

  private slots:
    void init() {
        environment = Environment::create();
        environment->setTimings({.replyTimeout = 0.1, .closePoll = 0.001, .closeSlowPoll = 0.01});
        writeReply = Bytes{0x00};
        outcomes.clear();
        factory = test::FakePortFactory();
        factory.configure = [this](test::FakeSerialPort& port) {
            port.responder = [this](test::FakeSerialPort& p, const Bytes& written) {
                if (written.size() > 6 && written[6] == CommDataFormat::FUNC_WRITE && writeReply)
                    p.deliverLater(test::replyTo(written, *writeReply));
            };
        };
        LensClient::install(*environment, std::make_shared<UsbSerialInterface>(factory),
                            std::make_shared<UsbSerialPortList>(0x1234, "/dev/fake0"));
        QVERIFY(LensClient::openAdapterPort({}));
        model = std::make_unique<LensSettingViewModel>();
        lock = false;
        messages.clear();
        unanswered.clear();
        const auto setLock = [this](bool held) {
            lock = held;
            model->setLocked(held);
        };
        connect(model.get(), &LensSettingViewModel::writeStarted, [setLock] { setLock(true); });
        connect(model.get(), &LensSettingViewModel::writeEnded, [setLock] { setLock(false); });
        connect(model.get(), &LensSettingViewModel::writeRefused,
                [this](const QString& id, const LensSettingViewModel::Completion& afterOk) {
                    messages << id;
                    unanswered << afterOk;
                });
        model->setLimits(DEFAULT_LIMITS);
        recordCallbacks();
    }

    void cleanup() {
        QTest::qWait(20);
        model.reset();
    }

    void shortImageChangesNothing() {
        const QVariantMap before = test::settingsState(settings());
        // 256 bytes lack the times, 319 the last delay byte.
        for (std::size_t size : {0, 255, 256, 319}) {
            decodeImage({{0, Bytes(size, 7)}}, size);
            QVERIFY(!LensSettings::decode(Bytes(size, 7)));
            QCOMPARE(test::settingsState(settings()), before);
            QVERIFY(!settings().communication());
        }
        settings().setDirection(1); // still not connected: nothing goes out
        QTest::qWait(20);
        QVERIFY(sent().isEmpty());
    }

    void imageRoundTrip() {
        // Every byte differs from its neighbours: a field read or written at a wrong place shows.
        Bytes image(LensSettings::SIZE);
        for (std::size_t i = 0; i < image.size(); ++i)
            image[i] = std::uint8_t(i * 37 + 11);
        const auto decoded = LensSettings::decode(image);
        QVERIFY(decoded);
        QCOMPARE(decoded->encode(), image);

        LensSettings x = *decoded;
        x.direction = 2;
        x.pinto = -3;
        x.afLimit[5] = {1, 7};
        x.focusTime[2] = 999;
        const auto back = LensSettings::decode(x.encode());
        QCOMPARE(*back, x);
        Bytes expected = image; // only the changed fields' bytes differ
        for (const auto& [offset, b] :
             Patch{{1, {2}}, {19, {0xFD}}, {226, {0x71}}, {292, {0xE7, 0x03}}})
            std::copy(b.begin(), b.end(), expected.begin() + offset);
        QCOMPARE(x.encode(), expected);

        // The same changes, each setting named once, in the order of the bytes that differ.
        using F = LensSettings::Field;
        const auto named = [](const Bytes& a, const Bytes& b) {
            const LensSettings::Differences d = LensSettings::compare(a, b);
            return std::pair{d.settings, d.otherBytes};
        };
        QCOMPARE(named(image, expected),
                 (std::pair{std::vector{F::Direction, F::Pinto, F::AfLimit, F::FocusTime}, false}));
        expected = image;
        expected[4] ^= 1;   // held by no setting
        expected[315] ^= 1; // high byte of the iris delay of slot 1
        QCOMPARE(named(image, expected), (std::pair{std::vector{F::IrisDelay}, true}));
        QCOMPARE(named(image, Bytes(image.begin(), image.end() - 1)),
                 (std::pair{std::vector<F>{}, true}));
        QVERIFY(LensSettings::compare(image, image).empty());
    }

    // Decoding sends nothing, whatever the values.
    void decodeSigned() {
        // The lowest ring angle (the highest is 7), the bytes of the angle and the pinto;
        // shown: angle, its old value, pinto, its old value.
        const std::tuple<int, int, int, QList<double>> images[]{
            {0, 0x03, 0x02, {3, 3, 2, 2}},   {0, 0xFB, 0xF6, {0, -5, -5, -10}},
            {0, 0x7F, 0x06, {7, 127, 5, 6}}, {0, 0x80, 0x80, {0, -128, -5, -128}},
            {3, 0x01, 0x00, {7, 1, 0, 0}},   {3, 0x00, 0xFB, {3, 0, -5, -5}}};
        auto& m = settings();
        for (const auto& [lowest, angleByte, pintoByte, shown] : images) {
            SettingLimits limits = DEFAULT_LIMITS;
            limits.ringAngle = {double(lowest), 7};
            m.setLimits(limits);
            decodeImage({{3, {std::uint8_t(angleByte)}}, {19, {std::uint8_t(pintoByte)}}});
            QCOMPARE((QList<double>{m.ring_angle(), m.ring_angle_oldValue(), m.pinto(),
                                    m.pinto_oldValue()}),
                     shown);
            QVERIFY(m.communication());
        }
        QTest::qWait(20);
        QVERIFY(sent().isEmpty());
    }

    void decodeAfLimit() {
        // Limit positions, bytes 16-18 and 224-226, the six rows.
        const std::tuple<int, Bytes, Bytes, QList<QList<int>>> images[]{
            {8,
             {0x3A, 0x70, 0x00},
             {0x21, 0x32, 0xF0},
             {{7, 3}, {0, 7}, {0, 0}, {1, 2}, {2, 3}, {0, 7}}},
            {4,
             {0x9F, 0x31, 0x44},
             {0x10, 0x03, 0xFF},
             {{3, 3}, {1, 3}, {3, 3}, {0, 1}, {3, 0}, {3, 3}}},
            {1,
             {0x55, 0x00, 0x01},
             {0x10, 0x00, 0xFF},
             {{0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}}};
        for (const auto& [positions, low, high, rows] : images) {
            SettingLimits limits = DEFAULT_LIMITS;
            limits.limitPositions = positions;
            settings().setLimits(limits);
            decodeImage({{16, low}, {224, high}});
            QCOMPARE(settings().aflim_pos(), rows);
        }
    }

    void decodeTimesAndDelays() {
        // The tens of seconds allowed, the bytes' value, the time in tenths and the delay:
        // the high byte counts, and a delay keeps its last two digits.
        const std::array<int, 4> values[]{
            {1, 125, 125, 25},    {0, 125, 99, 25},  {0, 0, 0, 0},         {9, 999, 999, 99},
            {25, 1000, 1000, 99}, {25, 300, 300, 0}, {3, 0xFFFF, 399, 99}, {1, 150, 150, 50}};
        const auto& m = settings();
        for (const auto& [maxSec2, raw, time, delay] : values) {
            SettingLimits limits = DEFAULT_LIMITS;
            limits.maxSec2 = maxSec2;
            settings().setLimits(limits);
            // Slot 1 of the focus values and slot 3 of the iris ones carry the value.
            const Bytes b{std::uint8_t(raw & 0xFF), std::uint8_t(raw >> 8)};
            decodeImage({{290, b}, {302, b}, {306, b}, {318, b}});
            QCOMPARE(m.times(M::FocusTime), (QList<int>{0, time, 0, 0}));
            QCOMPARE(m.times(M::IrisTime), (QList<int>{0, 0, 0, time}));
            QCOMPARE(m.times(M::FocusDelay), (QList<int>{0, delay, 0, 0}));
            QCOMPARE(m.times(M::IrisDelay), (QList<int>{0, 0, 0, delay}));
            // The digits the pages show.
            QCOMPARE((QList<int>{m.focusSec2()[1], m.focusSec1()[1], m.focusSec0()[1]}),
                     (QList<int>{time / 100, time / 10 % 10, time % 10}));
            QCOMPARE((QList<int>{m.irisDelay1()[3], m.irisDelay0()[3]}),
                     (QList<int>{delay / 10, delay % 10}));
        }
    }

    void decodeSlotsAndPlainSettings() {
        decodeImage({{0, {9, 2, 4}},
                     {5, {0, 2, 5, 0xFF}},
                     {64, {0xC8}},
                     {80, {0, 25, 0xFF, 3}},
                     {96, {0, 3, 7, 200}}});
        const auto& m = settings();
        QCOMPARE(m.ring_function(), 9);
        QCOMPARE(m.direction(), 2);
        QVERIFY(m.directionFollowsCamera());
        QCOMPARE(m.ring_response(), 4);
        QCOMPARE(m.sw_func(), 200);
        QVERIFY(!m.isSwitchFunctionBelowTwo());
        QCOMPARE(m.bt_func(), (QList<int>{0, 25, 255, 3}));
        QCOMPARE(m.irisAngle(), (QList<double>{0, 2, 3, 3}));
        QCOMPARE(m.irisAngle_oldValue(), (QList<double>{0, 2, 5, 255}));
        QCOMPARE(m.speed(), (QList<double>{0, 3, 6, 6}));
        QCOMPARE(m.speed_oldValue(), (QList<double>{0, 3, 7, 200}));
        QTest::qWait(20);
        QVERIFY(sent().isEmpty());
    }

    void writes_data() { rowsOf(WRITES); }

    void writes() {
        const Write& w = rowOf(WRITES);
        decodeImage(DEFAULT_IMAGE);
        w.edit(settings());
        QVERIFY(lock);
        QTRY_VERIFY(!lock);
        QCOMPARE(sent(), QStringList{w.write});
        QHash<QString, QList<bool>> reported;
        if (!w.callback.isEmpty())
            reported[w.callback] = {true};
        QCOMPARE(outcomes, reported);
        QVERIFY(unanswered.isEmpty());
    }

    void sendsNothing_data() { rowsOf(SILENT); }

    void sendsNothing() {
        decodeImage(DEFAULT_IMAGE);
        rowOf(SILENT).second(settings());
        QVERIFY(!settings().ring_angle_modify_now() && !settings().pinto_modify_now());
        QTest::qWait(30);
        QVERIFY(sent().isEmpty());
        QVERIFY(!lock);
    }

    void writesAreLogged() {
        test::DiagnosticCapture capture;
        decodeImage(DEFAULT_IMAGE);
        for (int row : {0, 2, 4}) { // ring function, direction, ring response
            WRITES[row].edit(settings());
            QTRY_VERIFY(!lock);
        }
        settings().commitAFLimit(1, 2, 3);
        QTRY_VERIFY(!lock);
        const QStringList lines = capture.lines();
        for (const char* line : {"ring_function 7", "direction 1", "ring_response 2", "old:2,3"})
            QVERIFY2(lines.contains(QString::fromLatin1(line)), line);
    }

    void lockFreezesEditsWhileAWriteIsUnderWay() {
        decodeImage(DEFAULT_IMAGE);
        writeReply.reset();
        factory.last()->responder = {}; // the test answers by hand
        auto& m = settings();
        m.setDirection(1);
        QVERIFY(lock);
        QTRY_COMPARE(sent().size(), 1);

        m.setRing_response(3);
        m.setBt_func({1, 5, 8, 9});
        m.setRing_angle(6);
        m.commitRingAngle(false);
        m.setPinto(4);
        QCOMPARE(m.ring_response(), 3); // shown, but the lens is not told
        QCOMPARE(m.bt_func(), (QList<int>{1, 5, 8, 9}));
        QVERIFY(!m.pinto_modify_now()); // no bookkeeping either
        QCOMPARE(m.pinto_oldValue(), 1.0);

        factory.last()->deliverNow(test::replyTo(factory.last()->writes.last(), {0x00}));
        QTRY_VERIFY(!lock);
        QTest::qWait(30);
        QCOMPARE(sent().size(), 1);
        QCOMPARE(outcomes, (QHash<QString, QList<bool>>{{"direction", {true}}}));
    }

    void refusal_data() {
        // The lens's answer ("none", "unsent" or hex bytes) and the message.
        rows<QString, QString>(
            {{"camera connection status", "8300", "Connect_CameraConnectionStatusError"},
             {"other status", "8005", "Common_LensError"},
             {"0x83 not first", "8183", "Common_LensError"},
             {"no reply", "none", "Common_LensCommunicationError"},
             {"write not sent", "unsent", "Common_LensCommunicationError"}});
    }

    void refusal() {
        const auto [reply, key] = row<QString, QString>();
        decodeImage(DEFAULT_IMAGE);
        if (reply == "none")
            writeReply.reset();
        else if (reply == "unsent")
            factory.last()->refuseWrite = true;
        else
            writeReply = toBytes(QByteArray::fromHex(reply.toLatin1()));
        auto& m = settings();
        const int before = m.direction();
        m.setDirection(1);

        QTRY_VERIFY(!unanswered.isEmpty());
        QCOMPARE(messages, QStringList{key});
        QCOMPARE(outcomes, (QHash<QString, QList<bool>>{{"direction", {false}}}));
        QVERIFY(lock); // held while the message is open
        QCOMPARE(m.direction(), 1);
        m.setRing_response(3); // frozen: stays local
        QCOMPARE(m.ring_response(), 3);

        respondOk();
        QCOMPARE(m.direction(), before);
        QVERIFY(!lock);
        QVERIFY(m.communication());
        QTest::qWait(30);
        QCOMPARE(sent().size(), reply == "unsent" ? 0 : 1);
        QCOMPARE(outcomes, (QHash<QString, QList<bool>>{{"direction", {false}}}));
    }

    void restoreAfterRefusal_data() { rowsOf(WRITES); }

    void restoreAfterRefusal() {
        const Write& w = rowOf(WRITES);
        decodeImage(DEFAULT_IMAGE);
        auto& m = settings();
        // The AF limit restore puts back the pair the caller names, not the one decoded.
        if (QByteArray(w.name) == "af limit row 4")
            m.setAflim_pos(withRow(m.aflim_pos(), 4, 0, 2));
        const QVariantMap before = test::settingsState(m);
        writeReply = Bytes{0x80, 0x00};
        w.edit(m);
        QTRY_VERIFY(!unanswered.isEmpty());
        QCOMPARE(test::settingsState(m) != before, !QByteArray(w.name).contains("unchanged"));
        respondOk();
        QCOMPARE(test::settingsState(m), before);
        QVERIFY(!lock);
        if (!w.callback.isEmpty())
            QCOMPARE(outcomes.value(w.callback), QList<bool>{false});
        QTest::qWait(30);
        QCOMPARE(sent().size(), 1);
    }

    void oneShotCallbackMayRemoveItself() {
        decodeImage(DEFAULT_IMAGE);
        int calls = 0;
        settings().onChangeRingResponse = [&](bool) {
            settings().onChangeRingResponse = nullptr;
            ++calls;
        };
        settings().setRing_response(2);
        QTRY_VERIFY(!lock);
        settings().setRing_response(3);
        QTRY_VERIFY(!lock);
        QCOMPARE(calls, 1);
        QCOMPARE(sent().size(), 2);
    }

    void valuesThatCannotBeSent_data() { rowsOf(UNSENDABLE); }

    void valuesThatCannotBeSent() {
        const Unsendable& u = rowOf(UNSENDABLE);
        decodeImage(DEFAULT_IMAGE);
        auto& m = settings();
        if (u.callback == "af limit")
            m.setAflim_pos(withRow(m.aflim_pos(), 1, 1, 3));
        const QVariantMap before = test::settingsState(m);
        test::DiagnosticCapture capture;
        u.edit(m);
        QCOMPARE(test::settingsState(m), before);
        QCOMPARE(outcomes, (QHash<QString, QList<bool>>{{u.callback, {false}}}));
        QVERIFY(!lock);
        QVERIFY2(
            !capture.lines().filter(QRegularExpression("^" + u.logged + " not sent: ")).isEmpty(),
            qPrintable(capture.lines().join(" | ")));
        QTest::qWait(30);
        QVERIFY(sent().isEmpty());
        QVERIFY(unanswered.isEmpty());

        // The next edit of the same setting starts afresh and is sent.
        m.setDirection(1);
        QTRY_COMPARE(sent().size(), 1);
    }

    void bookkeepingSpansARunOfEdits() {
        decodeImage(DEFAULT_IMAGE); // ring angle 2, focus times [1.0, 12.5, 2.0, 0.0] s
        auto& m = settings();
        QVERIFY(!m.ring_angle_modify_now());
        m.setRing_angle(3);
        m.setRing_angle(4);
        QVERIFY(m.ring_angle_modify_now());
        QCOMPARE(m.ring_angle_oldValue(), 2.0);
        m.commitRingAngle(true);
        m.setRing_angle(5);
        QCOMPARE(m.ring_angle_oldValue(), 4.0);

        // The digits of a time edit one number of tenths.
        const auto focus = M::FocusTime;
        m.setFocusSec0(with(m.focusSec0(), 1, 6));
        m.setFocusSec0(with(m.focusSec0(), 1, 7));
        m.setFocusSec2(with(m.focusSec2(), 1, 0));
        QCOMPARE(m.times(focus), (QList<int>{10, 27, 20, 0}));
        QCOMPARE(m.times_oldValue(focus), (QList<int>{10, 125, 20, 0}));
        QVERIFY(m.times_modify_now(focus));
        QVERIFY(!m.times_modify_now(M::IrisTime));
        m.commitFocusTime(1);
        QVERIFY(!m.times_modify_now(focus));
        QTRY_VERIFY(!lock);
    }

    void aNewImageEndsARunningEdit() {
        decodeImage(DEFAULT_IMAGE);
        auto& m = settings();
        m.setPinto(4);
        m.setIrisDelay1({1, 1, 1, 1});
        Patch next = DEFAULT_IMAGE;
        next.append({312, {0x23, 0x00}});
        decodeImage(next);
        QVERIFY(!m.pinto_modify_now());
        QVERIFY(!m.times_modify_now(M::IrisDelay));
        // The next run remembers the decoded value, not one from before the image.
        m.setIrisDelay1({2, 2, 2, 2});
        QCOMPARE(m.times_oldValue(M::IrisDelay), (QList<int>{35, 2, 3, 4}));
    }

    void incrementSec2() {
        // The lens's tens of seconds, the digit and the next one: nine is the last digit.
        const std::array<int, 3> steps[]{{1, 0, 1}, {1, 1, 1}, {0, 0, 0}, {9, 8, 9}, {25, 9, 9}};
        for (const auto& [maxSec2, original, result] : steps) {
            SettingLimits limits = DEFAULT_LIMITS;
            limits.maxSec2 = maxSec2;
            settings().setLimits(limits);
            int digit = original;
            settings().incrementSec2(digit);
            QCOMPARE(digit, result);
            QCOMPARE(settings().incrementedSec2(original), result);
        }
    }
};

QTEST_GUILESS_MAIN(TestLensSetting)
#include "tst_lenssetting.moc"
