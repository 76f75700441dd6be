// The function-selection popups over an in-memory port: what opening remembers, what
// confirming keeps, the writes of each cancel in their order, chains stopped by a
// refused write, and the AF limit editing rules with the byte each sends.
#include "DiagnosticCapture.h"
#include "FakeHttpClient.h"
#include "FakeSerialPort.h"
#include "Rows.h"
#include "SettingsActions.h"
#include "controller/AppViewModel.h"
#include "link/CommDataFormat.h"
#include "link/LensClient.h"
#include "model/BasicInfoViewModel.h"
#include "model/ButtonFunc.h"
#include "model/LensSettingViewModel.h"
#include "platform/Environment.h"
#include "ui/MessageViewModel.h"
#include "ui/PopupViewModel.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <utility>

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

using M = LensSettingViewModel;
using Action = test::SettingsAction;
using test::angle;
using test::set;
using test::timeOf;

// Ring 0 ... 7, adjustment -5 ... 5, tens of seconds up to 1, four AF limit positions.
const Patch ROM{{7, {0x07, 5, 6, 19, 0x03}}, {64, {0x00, 0x05, 0x0A, 0xFF}}};
// The same lens with delay times (setting bit 10).
const Patch ROM_WITH_DELAYS = ROM + Patch{{33, {0x04}}};

// Control 1 holds focus preset (8), control 2 a focus time function (22), control 3 an
// iris time function (24); every time and delay of controls 2 and 3 is non-zero.
const Patch IMAGE{
    {0, {1, 0, 1, 2}},         {16, {0x10, 0x31, 0x32}}, {19, {1}}, {80, {5, 8, 22, 24}},
    {224, {0x10, 0x31, 0x32}}, {292, {0x7D, 0x00}}, // focus time of control 2: 12.5 s
    {302, {0x0E, 0x00}},                            // iris time of control 3: 1.4 s
    {308, {0x23, 0x00}},                            // focus delay of control 2: 3.5 s
    {318, {0x07, 0x00}}};                           // iris delay of control 3: 0.7 s

// One popup session: what the user changes (each change sent and answered before the
// next) and what cancelling must write, in order, as "address=bytes".
struct Session {
    PopupId popup;
    int swId;
    QList<Action> edits;
    QStringList editWrites;
    QStringList cancelWrites;
    bool delays = false;      // the lens has delay times
    QStringList unrestored{}; // settings a cancel leaves as the user set them
};

void pick(M& m, bool nearEnd, int row, int index) {
    const QList<int> pair = m.aflim_pos()[row];
    m.setAflim_pos(
        withRow(m.aflim_pos(), row, nearEnd ? index : pair[0], nearEnd ? pair[1] : index));
    nearEnd ? m.nearChanged(row, pair[0]) : m.farChanged(row, pair[1]);
}

const QHash<QString, Session>& sessions() {
    const PopupId ring = PopupId::RingResponse;
    const PopupId function = PopupId::FunctionSelect;
    static const QHash<QString, Session> all{
        {"direction",
         {PopupId::RingDirection, -1, {set(&M::setDirection, 1)}, {"0001=01"}, {"0001=00"}}},
        {"direction unchanged", {PopupId::RingDirection, -1, {}, {}, {}}},
        {"response and angle",
         {ring,
          -1,
          {set(&M::setRing_response, 2), angle(5)},
          {"0002=02", "0003=05"},
          {"0002=01", "0003=02"}}},
        {"angle only", {ring, -1, {angle(5)}, {"0003=05"}, {"0003=02"}}},
        {"response unchanged", {ring, -1, {}, {}, {}}},
        {"adjustment", {PopupId::AdjustmentPinto, -1, {test::pinto(-3)}, {"0013=FD"}, {"0013=01"}}},
        {"adjustment unchanged", {PopupId::AdjustmentPinto, -1, {}, {}, {}}},
        // An uncommitted focus digit of the control is not looked at for an AF limit
        // function.
        {"control 1: 8 to AF limit",
         {function,
          1,
          {[](M& m) { m.setBt_func(with(m.bt_func(), 1, AFLIMIT_LONG_PRESS)); },
           [](M& m) { pick(m, true, 3, 2); },
           [](M& m) { m.setFocusSec0(with(m.focusSec0(), 1, 9)); }},
          {"0051=03", "00E0=32"},
          {"00E0=10", "0051=08"},
          false,
          {"focusSec"}}},
        {"control 0: to focus time",
         {function,
          0,
          {[](M& m) { m.setBt_func(with(m.bt_func(), 0, FOCUS_PRESET_TIME)); },
           timeOf(M::FocusTime, 0, 30)},
          {"0050=16", "0120=1E00"},
          {"0120=0000", "0050=05"}}},
        {"control 2: time and delay",
         {function,
          2,
          {timeOf(M::FocusTime, 2, 30), timeOf(M::FocusDelay, 2, 10)},
          {"0124=1E00", "0134=0A00"},
          {"0134=2300", "0124=7D00"},
          true}},
        {"control 2: no delays",
         {function,
          2,
          {timeOf(M::FocusTime, 2, 30), timeOf(M::FocusDelay, 2, 10)},
          {"0124=1E00", "0134=0A00"},
          {"0124=7D00"},
          false,
          {"focusDelay"}}},
        {"control 3: iris",
         {function,
          3,
          {timeOf(M::IrisTime, 3, 20), timeOf(M::IrisDelay, 3, 11)},
          {"012E=1400", "013E=0B00"},
          {"013E=0700", "012E=0E00"},
          true}},
        {"function unchanged", {function, 2, {}, {}, {}, true}},
    };
    return all;
}

// One AF limit pick on a lens with the given limit table, and the byte it sends.
struct Pick {
    const char* name;
    Bytes table;
    int row;
    QList<int> stored;
    bool nearEnd;
    int picked;
    QList<int> result;
    QString write;
};

// A limit table of four positions.
const Bytes FOUR{0x00, 0x05, 0x0A, 0xFF};
const QList<Pick> PICKS{
    {"near past far moves far", FOUR, 3, {0, 1}, true, 2, {2, 3}, "00E0=32"},
    {"near in front of far", FOUR, 0, {1, 3}, true, 2, {2, 3}, "0010=32"},
    {"near onto far, far at the end", FOUR, 1, {0, 3}, true, 3, {3, 3}, "0011=33"},
    {"far before near moves near", FOUR, 4, {2, 3}, false, 1, {0, 1}, "00E1=10"},
    {"far 0 on [0, 0] stays", FOUR, 5, {0, 0}, false, 0, {0, 0}, "00E2=00"},
    {"near past the table is its last position", FOUR, 3, {0, 2}, true, 9, {3, 3}, "00E0=33"},
    {"far past the table is its last position", FOUR, 4, {1, 2}, false, 12, {1, 3}, "00E1=31"},
    {"single position, near", {0x00}, 0, {0, 0}, true, 0, {0, 0}, "0010=00"},
    {"single position, far", {0x00}, 5, {0, 0}, false, 0, {0, 0}, "00E2=00"},
};

} // namespace

class TestPopup : public QObject {
    Q_OBJECT

    std::shared_ptr<Environment> environment;
    test::FakePortFactory factory;
    std::unique_ptr<AppViewModel> app;
    std::unique_ptr<PopupViewModel> popup;
    // Writes to this address are refused; none: all are accepted.
    std::optional<int> refusedAddress;
    // Runs once on the next write, before the lens answers it.
    std::function<void()> beforeAnswer;

    M& settings() { return *app->lens_setting(); }

    static int addressOf(const Bytes& frame) { return frame[9] * 256 + frame[10]; }

    QStringList writes(int from = 0) const { return test::settingsWrites(factory.log(), from); }

    void load(const Patch& rom, const Patch& image) {
        app->basic_info()->setRom(patched(256, rom));
        app->basic_info()->parseRom();
        settings().setE2p(patched(512, image));
        settings().parseE2p();
    }

    // Runs one change and waits for the lens's answer.
    bool settle() {
        QTest::qWait(5);
        return QTest::qWaitFor([this] { return !app->lock(); }, 2000);
    }

    bool noCallbackLeft() {
        return std::ranges::none_of(test::writeCallbacks(),
                                    [this](const auto& c) { return bool(settings().*c.second); });
    }

    void cancel(const Session& s) {
        static const std::map<PopupId, void (PopupViewModel::*)()> restore{
            {PopupId::RingDirection, &PopupViewModel::restoreRingDirection},
            {PopupId::RingResponse, &PopupViewModel::restoreRingResponse},
            {PopupId::AdjustmentPinto, &PopupViewModel::restoreAdjustmentPinto},
            {PopupId::FunctionSelect, &PopupViewModel::restoreFunctionSelection}};
        (popup.get()->*restore.at(s.popup))();
    }

    // Opens the session's popup and makes its edits; the function popup is on page 1.
    void openAndEdit(const Session& s, int* yesCalls = nullptr, int* noCalls = nullptr) {
        load(s.delays ? ROM_WITH_DELAYS : ROM, IMAGE);
        popup->openPopup(
            s.popup, s.swId, [yesCalls] { yesCalls ? ++*yesCalls : 0; },
            [noCalls] { noCalls ? ++*noCalls : 0; });
        QVERIFY(popup->show_popup());
        if (s.popup == PopupId::FunctionSelect)
            popup->setPage_index(1);
        for (const Action& edit : s.edits) {
            edit(settings());
            QVERIFY(settle());
        }
        // The function list highlights what the user chose.
        if (s.popup == PopupId::FunctionSelect)
            popup->setSelect_bt_func_id(settings().bt_func()[s.swId]);
        QCOMPARE(writes(), s.editWrites);
    }

    using WriteBack = PopupViewModel::WriteBack;
    static QList<WriteBack> writeBacks(const QSignalSpy& spy) {
        QList<WriteBack> ends;
        for (const QList<QVariant>& args : spy)
            ends << args.first().value<WriteBack>();
        return ends;
    }

  private slots:
    void init() {
        environment = Environment::create();
        environment->setTimings({.replyTimeout = 0.1, .closePoll = 0.001, .closeSlowPoll = 0.01});
        environment->setHttpClient(std::make_shared<test::FakeHttpClient>());
        refusedAddress.reset();
        beforeAnswer = {};
        factory = test::FakePortFactory();
        factory.configure = [this](test::FakeSerialPort& port) {
            port.responder = [this](test::FakeSerialPort& p, const Bytes& written) {
                if (written.size() <= 6 || written[6] != CommDataFormat::FUNC_WRITE)
                    return;
                if (beforeAnswer)
                    std::exchange(beforeAnswer, {})();
                const bool refused = refusedAddress && addressOf(written) == *refusedAddress;
                p.deliverLater(test::replyTo(written, refused ? Bytes{0x80, 0x00} : Bytes{0x00}));
            };
        };
        LensClient::install(*environment, std::make_shared<UsbSerialInterface>(factory),
                            std::make_shared<UsbSerialPortList>(0x1234, "/dev/fake0"));
        QVERIFY(LensClient::openAdapterPort({}));
        app = std::make_unique<AppViewModel>();
        popup = std::make_unique<PopupViewModel>(app->lens_setting(), app->basic_info());
        load(ROM, IMAGE);
    }

    void cleanup() {
        QTest::qWait(20);
        popup.reset();
        app.reset();
    }

    void openingPicksTheAfLimitRow() {
        const int function = int(PopupId::FunctionSelect);
        // The popup, the control, the AF limit row: buttons, then switch positions 1 to 3;
        // the other popups keep the row.
        const std::array<int, 3> opened[]{{function, 0, 0},
                                          {function, 1, 3},
                                          {function, 2, 4},
                                          {function, 3, 5},
                                          {int(PopupId::AdjustmentPinto), -1, 4},
                                          {int(PopupId::RingDirection), -1, 4},
                                          {int(PopupId::RingResponse), 3, 5}};
        for (const auto& [popupId, swId, row] : opened) {
            popup->openPopup(function, 2);
            popup->setPage_index(2);
            popup->openPopup(popupId, swId);
            QCOMPARE((QList<int>{popup->popupIdValue(), popup->sw_id(), popup->aflim_id(),
                                 popup->page_index()}),
                     (QList<int>{popupId, swId, row, 0}));
            QVERIFY(popup->show_popup());
        }
        QVERIFY(writes().isEmpty());
    }

    void openingRefusesWhatItCannotShow() {
        const int function = int(PopupId::FunctionSelect);
        // A function popup without a control or past the last, no such popup.
        for (const auto& [popupId, swId] :
             {std::pair{function, -1}, {function, 4}, {5, -1}, {-1, 0}}) {
            popup->openPopup(int(PopupId::RingDirection), -1);
            popup->setPage_index(1);
            test::DiagnosticCapture capture;
            popup->openPopup(popupId, swId);
            QCOMPARE((QList<int>{popup->popupIdValue(), popup->sw_id(), popup->page_index()}),
                     (QList<int>{int(PopupId::RingDirection), -1, 1}));
            QCOMPARE(capture.lines().size(), 1);
        }
    }

    void prevPage() {
        popup->openPopup(int(PopupId::FunctionSelect), 0);
        for (const auto& [page, after] : {std::pair{0, 0}, {1, 0}, {3, 2}}) {
            popup->setPage_index(page);
            popup->prevPage();
            QCOMPARE(popup->page_index(), after);
        }
    }

    void closing_data() {
        QTest::addColumn<QString>("session");
        QTest::addColumn<bool>("confirm");
        for (auto it = sessions().begin(); it != sessions().end(); ++it) {
            QTest::addRow("%s, confirmed", qPrintable(it.key())) << it.key() << true;
            QTest::addRow("%s, cancelled", qPrintable(it.key())) << it.key() << false;
        }
    }

    // Confirming keeps the changes; cancelling writes the snapshot back.
    void closing() {
        QFETCH(QString, session);
        QFETCH(bool, confirm);
        const Session& s = sessions().value(session);
        load(s.delays ? ROM_WITH_DELAYS : ROM, IMAGE);
        const QVariantMap opened = test::settingsState(settings());
        int yes = 0;
        int no = 0;
        openAndEdit(s, &yes, &no);
        if (QTest::currentTestFailed())
            return;
        const QVariantMap edited = test::settingsState(settings());
        const int mark = int(writes().size());
        QSignalSpy restored(popup.get(), &PopupViewModel::functionSelectionRestored);
        QSignalSpy ended(popup.get(), &PopupViewModel::writeBackEnded);

        if (confirm) {
            popup->confirmPopup();
            QCOMPARE((QList<int>{yes, no}), (QList<int>{1, 0}));
            QVERIFY(!popup->show_popup());
        } else {
            cancel(s);
            if (s.popup == PopupId::FunctionSelect) {
                QTRY_COMPARE(popup->page_index(), 0);
                QVERIFY(popup->show_popup());
                QCOMPARE(popup->select_bt_func_id(), popup->snapshot().buttonFunction[s.swId]);
                // Announced once, after the last write was accepted.
                QCOMPARE(restored.count(), 1);
            } else {
                QTRY_VERIFY(!popup->show_popup());
            }
        }
        QVERIFY(settle());
        QTest::qWait(30);
        QCOMPARE(writes(mark), confirm ? QStringList{} : s.cancelWrites);
        QCOMPARE(writeBacks(ended),
                 confirm ? QList<WriteBack>{} : QList<WriteBack>{WriteBack::Done});
        QVariantMap expected = opened;
        for (const QString& key : s.unrestored)
            expected[key] = edited[key];
        QCOMPARE(test::settingsState(settings()), confirm ? edited : expected);
        QVERIFY(noCallbackLeft());
        QVERIFY(!app->message()->show_message());
    }

    // A refused write stops the chain there; the popup stays and a second cancel
    // starts from the values the settings model holds then.
    void refusalStopsTheChain_data() {
        // The edits made and the address refused: the first cancel writes up to that
        // address, the second from it on.
        rows<QString, int>(
            {{"AF limit pair refused: function stays", "control 1: 8 to AF limit", 0x00E0},
             {"function refused after the pair", "control 1: 8 to AF limit", 0x0051},
             {"focus delay refused: time stays", "control 2: time and delay", 0x0134},
             {"ring response refused: angle stays", "response and angle", 0x0002},
             {"ring angle refused after the response", "response and angle", 0x0003},
             {"direction refused", "direction", 0x0001},
             {"adjustment refused", "adjustment", 0x0013}});
    }

    void refusalStopsTheChain() {
        const auto [session, refused] = row<QString, int>();
        const Session& s = sessions().value(session);
        const qsizetype at =
            s.cancelWrites.indexOf(QRegularExpression(QString::asprintf("%04X=.*", refused)));
        QVERIFY(at >= 0);
        openAndEdit(s);
        if (QTest::currentTestFailed())
            return;
        const int page = popup->page_index();
        const int highlighted = popup->select_bt_func_id();
        int mark = int(writes().size());

        refusedAddress = refused;
        QSignalSpy restored(popup.get(), &PopupViewModel::functionSelectionRestored);
        QSignalSpy ended(popup.get(), &PopupViewModel::writeBackEnded);
        cancel(s);
        QTRY_VERIFY(app->message()->show_message());
        QTest::qWait(30);
        QCOMPARE(writes(mark), s.cancelWrites.mid(0, at + 1));
        QCOMPARE(restored.count(), 0);
        QVERIFY(popup->show_popup());
        QCOMPARE(popup->page_index(), page);
        QCOMPARE(popup->select_bt_func_id(), highlighted);
        // The controller holds the lock until its message is answered and the value is back.
        QCOMPARE(app->message()->button_mode(), ButtonMode::OK);
        QVERIFY(app->lock());
        const QVariantMap beforeOk = test::settingsState(settings());
        app->message()->respondOk();
        QVERIFY(!app->lock());
        // The settings model put back only the refused setting.
        const QVariantMap afterOk = test::settingsState(settings());
        int changedKeys = 0;
        for (auto it = afterOk.begin(); it != afterOk.end(); ++it)
            changedKeys += int(it.value() != beforeOk.value(it.key()));
        QCOMPARE(changedKeys, 1);
        QVERIFY(noCallbackLeft());

        refusedAddress.reset();
        mark = int(writes().size());
        cancel(s);
        if (s.popup == PopupId::FunctionSelect)
            QTRY_COMPARE(popup->page_index(), page - 1);
        else
            QTRY_VERIFY(!popup->show_popup());
        QVERIFY(settle());
        QTest::qWait(30);
        QCOMPARE(writes(mark), s.cancelWrites.mid(at));
        QCOMPARE(writeBacks(ended), (QList<WriteBack>{WriteBack::Failed, WriteBack::Done}));
        QVERIFY(noCallbackLeft());
    }

    // While another write is under way the lens cannot be told: a cancel then changes
    // nothing and leaves no callback behind for that write's answer.
    void cancelWaitsForTheLock() {
        const Session& s = sessions().value("direction");
        openAndEdit(s);
        if (QTest::currentTestFailed())
            return;
        const int mark = int(writes().size());
        app->setLock(true);
        QSignalSpy ended(popup.get(), &PopupViewModel::writeBackEnded);
        test::DiagnosticCapture capture;
        popup->restoreRingDirection();
        QCOMPARE(settings().direction(), 1);
        QVERIFY(noCallbackLeft());
        QVERIFY(popup->show_popup());
        QCOMPARE(capture.lines().size(), 1);
        app->setLock(false);
        popup->restoreRingDirection();
        QTRY_VERIFY(!popup->show_popup());
        QCOMPARE(writes(mark), QStringList{"0001=00"});
        QCOMPARE(writeBacks(ended), (QList<WriteBack>{WriteBack::NotStarted, WriteBack::Done}));
    }

    // The controller hides the popup when the connection ends: a step answered after
    // that goes no further.
    void hidingAbandonsARunningRestore() {
        const Session& s = sessions().value("response and angle");
        openAndEdit(s);
        if (QTest::currentTestFailed())
            return;
        const int mark = int(writes().size());
        beforeAnswer = [this] { popup->setShow_popup(false); };
        QSignalSpy ended(popup.get(), &PopupViewModel::writeBackEnded);
        popup->restoreRingResponse();
        QVERIFY(settle());
        QTest::qWait(30);
        QCOMPARE(writes(mark), QStringList{"0002=01"});
        QCOMPARE(settings().ring_angle(), 5.0);
        QVERIFY(!popup->show_popup());
        QCOMPARE(writeBacks(ended), QList<WriteBack>{WriteBack::Failed});
        QVERIFY(noCallbackLeft());
    }

    void afLimitRules_data() { rowsOf(PICKS); }

    void afLimitRules() {
        const Pick& p = rowOf(PICKS);
        const int offset = p.row < 3 ? 16 + p.row : 224 + p.row - 3;
        Patch rom = ROM;
        rom.append({64, patched(16, {{0, p.table}})});
        load(rom, {{offset, {std::uint8_t(p.stored[0] + 16 * p.stored[1])}}});
        QCOMPARE(settings().aflim_pos()[p.row], p.stored);

        test::DiagnosticCapture capture;
        pick(settings(), p.nearEnd, p.row, p.picked);
        QCOMPARE(settings().aflim_pos()[p.row], p.result);
        QVERIFY(settle());
        QCOMPARE(writes(), QStringList{p.write});
        QCOMPARE(
            capture.count(
                (p.nearEnd ? QStringLiteral("near %1") : QStringLiteral("far  %1")).arg(p.row)),
            1);
        QCOMPARE(capture.count(QStringLiteral("old:%1,%2").arg(p.stored[0]).arg(p.stored[1])), 1);
    }
};

QTEST_GUILESS_MAIN(TestPopup)
#include "tst_popup.moc"
