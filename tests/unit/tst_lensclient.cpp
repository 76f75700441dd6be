// The command client over an in-memory port: exchange ordering under the lock, the
// status rule, the firmware start's adapter mode switch and the firmware step waits. Completions
// arrive on the main thread or on a worker.
#include "CompletionRecorder.h"
#include "DiagnosticCapture.h"
#include "FakeSerialPort.h"
#include "link/LensClient.h"
#include "platform/Environment.h"

#include <QElapsedTimer>
#include <QTest>

using namespace kelvara;

using Calls = test::Recorder<bool, const Bytes&>;

class TestLensClient : public QObject {
    Q_OBJECT

    const std::shared_ptr<Environment> environment = Environment::create();
    test::FakePortFactory factory;
    std::shared_ptr<UsbSerialInterface> transport;
    std::shared_ptr<UsbSerialPortList> ports;

    // Answers every frame like a lens that is attached alone; the firmware start is left
    // to the test, which answers with 'C' once the line speed has been raised.
    static void lensResponder(test::FakeSerialPort& port, const Bytes& written) {
        if (!written.empty() && written[0] == 0x0F && written[6] != 0xFD)
            port.deliverLater(test::replyTo(written, {std::uint8_t(written[6] == 0xF8)}));
    }

    void install(std::function<void(test::FakeSerialPort&)> configure) {
        factory = test::FakePortFactory();
        factory.configure = std::move(configure);
        transport = std::make_shared<UsbSerialInterface>(factory);
        ports = std::make_shared<UsbSerialPortList>(0x1234, QStringLiteral("/dev/fake0"));
        LensClient::install(*environment, transport, ports);
    }

    // Answers 'C' to the firmware start. Its wait is armed on a worker after the speed
    // change, and a 'C' before it is dropped: answered until the start completes.
    static bool answerReady(test::FakeSerialPort& port, const Calls& calls) {
        return QTest::qWaitFor(
            [&] {
                if (port.baudRates.contains(LensClient::FIRMWARE_BAUD))
                    port.deliverNow({0x43});
                return calls.count() > 0;
            },
            5000);
    }

  private slots:
    void initTestCase() {
        Timings t;
        t.replyTimeout = 0.15;
        t.firmwareFirstTimeout = 1.0;
        t.modeSwitchSettle = 0.02;
        t.modeSwitchRestart = 0.01;
        t.lineSpeedSettle = 0.001;
        t.closePoll = 0.001;
        t.closeSlowPoll = 0.01;
        environment->setTimings(t);
    }

    void init() {
        install([](test::FakeSerialPort& port) { port.responder = lensResponder; });
        QVERIFY(LensClient::openAdapterPort({}));
    }

    void cleanup() { transport->firmwareUpdating = false; }

    void exchangeAndStatusRule() {
        Calls calls;
        LensClient::exchange(CommDataFormat::buildConnect(), calls.callback());
        QTRY_COMPARE(calls.count(), 1);
        QCOMPARE(calls.at(0), (std::pair<bool, Bytes>{true, {0x01}}));

        Calls status;
        const auto rule = LensClient::withStatus(status.callback());
        rule(true, {0x90}); // a single byte is never a refusal
        rule(true, {0x7F, 0x00});
        rule(true, {0x83, 0x00}); // camera connection status error
        rule(true, {0x80, 0x00});
        rule(false, {});
        QCOMPARE(status.calls(), (QList<std::pair<bool, Bytes>>{{true, {0x90}},
                                                                {true, {0x7F, 0x00}},
                                                                {false, {0x83, 0x00}},
                                                                {false, {0x80, 0x00}},
                                                                {false, {}}}));
    }

    // The lens answers nothing: each exchange holds the lock until its timeout, and a send
    // without reply waits its turn on a worker, never on the main thread.
    void exchangesAreStrictlySequential() {
        factory.last()->responder = {};
        const auto& writes = factory.last()->writes;
        Calls calls;
        // Completions run on this thread, as do the writes: what was written when the
        // first one ran is the order, however loaded the machine.
        const auto writtenAtFirst = std::make_shared<qsizetype>(-1);
        QElapsedTimer clock;
        clock.start();
        LensClient::exchange(
            CommDataFormat::buildRead(false, 0, 0, 0),
            [&writes, writtenAtFirst, record = calls.callback()](bool ok, const Bytes& data) {
                *writtenAtFirst = writes.size();
                record(ok, data);
            });
        QTRY_COMPARE(writes.size(), 1);
        LensClient::exchange(CommDataFormat::buildDisconnect(), calls.callback());
        LensClient::sendWithoutReply(CommDataFormat::buildDisconnect());
        // Back before the first exchange ended, which needs this thread to time out.
        QCOMPARE(calls.count(), 0);

        QTRY_COMPARE(calls.count(), 1);
        QCOMPARE(calls.at(0), (std::pair<bool, Bytes>{false, {}}));
        QCOMPARE(*writtenAtFirst, 1);
        QVERIFY(clock.elapsed() >= 140);
        QTRY_COMPARE(writes.size(), 3);
        QCOMPARE((Bytes{writes[1][6], writes[2][6]}), (Bytes{0xF9, 0xF9}));
        QTRY_COMPARE(calls.count(), 2);
    }

    void failuresReleaseTheLock() {
        test::DiagnosticCapture capture;
        Calls calls;
        factory.last()->refuseWrite = true;
        LensClient::exchange(CommDataFormat::buildConnect(), calls.callback());
        QTRY_COMPARE(calls.count(), 1);
        QCOMPARE(calls.at(0), (std::pair<bool, Bytes>{false, {}}));

        // A closed port gets one reopen attempt; the new port works.
        factory.last()->close();
        LensClient::exchange(CommDataFormat::buildConnect(), calls.callback());
        QTRY_COMPARE(calls.count(), 2);
        QCOMPARE(calls.at(1), (std::pair<bool, Bytes>{true, {0x01}}));
        QCOMPARE(capture.count(QStringLiteral("Port ReOpen")), 1);
        QCOMPARE(factory.created(), 2);

        // No adapter port opens at all: the write fails and the completion says so.
        factory.last()->close();
        factory.configure = [](test::FakeSerialPort& port) { port.refuseOpen = true; };
        LensClient::install(*environment, std::make_shared<UsbSerialInterface>(factory), ports);
        LensClient::exchange(CommDataFormat::buildConnect(), calls.callback());
        QTRY_COMPARE(calls.count(), 3);
        QCOMPARE(calls.at(2), (std::pair<bool, Bytes>{false, {}}));
    }

    void firmwareStartWithAdapterModeSwitch() {
        test::DiagnosticCapture capture;
        QPointer<test::FakeSerialPort> firstPort = factory.last();
        Calls calls;
        LensClient::startFirmwareUpdate(UpdateMode::NORMAL, 0, 0, 0x03, calls.callback());
        QTRY_COMPARE(factory.created(), 2);
        auto* secondPort = factory.last();
        QVERIFY(answerReady(*secondPort, calls));
        QCOMPARE(calls.at(0), (std::pair<bool, Bytes>{true, {0x43}}));

        // Start, close, reopen (a new port object), connect, the same start again.
        QVERIFY(firstPort.isNull());
        QStringList steps; // function and data of each frame
        for (const Bytes& frame : factory.log())
            steps << toQByteArray(Bytes(frame.begin() + 6, frame.end() - 3)).toHex();
        QCOMPARE(steps, (QStringList{"fd0002", "f800", "fd0002"}));
        QCOMPARE(secondPort->writes.size(), 2);
        QCOMPARE(secondPort->baudRates.last(), LensClient::FIRMWARE_BAUD);
        QVERIFY(transport->firmwareUpdating);
        QVERIFY(capture.lines().contains(QStringLiteral("Port Close")));
    }

    void removalDuringModeSwitchCompletesOnce() {
        Calls calls;
        factory.configure = [](test::FakeSerialPort& port) {
            // The re-opened adapter vanishes as soon as it is asked to connect.
            port.responder = [](test::FakeSerialPort& p, const Bytes& written) {
                if (written[6] == 0xF8)
                    QMetaObject::invokeMethod(
                        &p, [&p] { p.unplug(); }, Qt::QueuedConnection);
            };
        };
        LensClient::startFirmwareUpdate(UpdateMode::NORMAL, 0, 0, 0x02, calls.callback());
        QTRY_COMPARE(calls.count(), 1);
        QCOMPARE(calls.at(0), (std::pair<bool, Bytes>{false, {}}));
        QTest::qWait(300); // the connect wait's timeout passes without a second report
        QCOMPARE(calls.count(), 1);
    }

    // The block numbering, the end bytes and the starts without a mode switch are checked
    // by the virtual lens in the firmware transfer tests; here, the waits.
    void firmwareStepWaits() {
        Calls calls;
        LensClient::startFirmwareUpdate(UpdateMode::NORMAL, 1, 0, 0, calls.callback());
        auto* port = factory.last();
        QVERIFY(answerReady(*port, calls));

        // Nobody answers: the first step waits the long first timeout, the next the short one.
        const Bytes block(1024, 0x11);
        QElapsedTimer clock;
        clock.start();
        LensClient::sendFirmwareBlock(block, calls.callback());
        QTRY_COMPARE_WITH_TIMEOUT(calls.count(), 2, 3000);
        QVERIFY2(clock.elapsed() >= 900, qPrintable(QString::number(clock.elapsed())));
        clock.restart();
        LensClient::sendFirmwareBlock(block, calls.callback());
        QTRY_COMPARE(calls.count(), 3);
        QVERIFY2(clock.elapsed() < 900, qPrintable(QString::number(clock.elapsed())));
    }
};

QTEST_GUILESS_MAIN(TestLensClient)
#include "tst_lensclient.moc"
