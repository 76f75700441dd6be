// The serial transport over an in-memory port: numbering, reply/timeout exclusion, the
// firmware receive modes and removal. Reassembly of split and prefixed replies is checked
// over the pseudo-terminal.
#include "CompletionRecorder.h"
#include "DiagnosticCapture.h"
#include "FakeSerialPort.h"
#include "Rows.h"
#include "link/UsbSerialInterface.h"
#include "platform/Environment.h"

#include <QTest>

using namespace kelvara;

using Calls = test::Recorder<bool, const Bytes&>;

class TestTransport : public QObject {
    Q_OBJECT
    // This test's own link, client, timings and diagnostics.
    const std::shared_ptr<Environment> environment = Environment::create();

    test::FakePortFactory factory;
    std::unique_ptr<UsbSerialInterface> transport;
    int removals = 0;

  private slots:
    void init() {
        factory = test::FakePortFactory();
        transport = std::make_unique<UsbSerialInterface>(factory);
        removals = 0;
        QVERIFY(transport->open(QStringLiteral("/dev/fake0"), [this] { ++removals; }));
    }

    void packetNumbersWrapToOne() {
        for (int i = 1; i <= 300; ++i) {
            QCOMPARE(transport->sendFrame(CommDataFormat::buildDisconnect()),
                     int(UsbSerialInterface::WRITTEN));
            const int p = factory.last()->writes.last()[1];
            QCOMPARE(p, (i - 1) % 255 + 1);
        }
        QCOMPARE(transport->packetNumber(), std::uint8_t(45));
    }

    void writeFailuresKeepOrClearState() {
        transport->sendFrame(CommDataFormat::buildConnect());
        const Bytes sent = transport->sendBuffer();

        factory.last()->close();
        QCOMPARE(transport->sendFrame(CommDataFormat::buildConnect()),
                 int(UsbSerialInterface::NO_PORT));
        QCOMPARE(transport->packetNumber(), std::uint8_t(1));
        QCOMPARE(transport->sendBuffer(), sent);

        QVERIFY(transport->open(QStringLiteral("/dev/fake0"), {}));
        factory.last()->refuseWrite = true;
        QCOMPARE(transport->sendFrame(CommDataFormat::buildConnect()),
                 int(UsbSerialInterface::REFUSED));
        QCOMPARE(transport->packetNumber(), std::uint8_t(1));
        QVERIFY(transport->sendBuffer().empty());

        // A reply arriving after a refused write cannot be matched with a request.
        test::DiagnosticCapture capture;
        Calls calls;
        transport->waitReply(calls.callback(), 1.0);
        factory.last()->deliverNow(test::replyTo(sent, {0x01}));
        QCOMPARE(calls.calls().size(), 1);
        QCOMPARE(calls.calls()[0].first, false);
        QVERIFY(capture.lines().contains(QStringLiteral("Error not adapter mode 1")));
    }

    // The block layout and the numbering of each image from 1 are checked by the virtual
    // lens's block receiver; no image there is long enough to wrap.
    void firmwareBlockNumbersWrapToOne() {
        const Bytes data(1024, 0x5A);
        for (int k = 1; k <= 256; ++k)
            QCOMPARE(transport->sendBlock(data), int(UsbSerialInterface::WRITTEN));
        const auto& writes = factory.last()->writes;
        QCOMPARE((Bytes{writes[254][1], writes[254][2]}), (Bytes{255, 0}));
        QCOMPARE((Bytes{writes[255][1], writes[255][2]}), (Bytes{1, 0xFE})); // never 0
        // Blocks do not disturb frame numbering.
        QCOMPARE(transport->packetNumber(), std::uint8_t(0));
    }

    void replyAndTimeoutExcludeEachOther() {
        test::DiagnosticCapture capture;
        Calls calls;
        transport->sendFrame(CommDataFormat::buildConnect());
        const Bytes reply = test::replyTo(transport->sendBuffer(), {0x01});
        transport->waitReply(calls.callback(), 0.05);
        factory.last()->deliverNow(reply);
        QTest::qWait(120);
        QCOMPARE(calls.calls().size(), 1);
        QVERIFY(calls.calls()[0].first);
        QCOMPARE(capture.count(QStringLiteral("recv timeout")), 0);

        // Timeout first: one failure, and the late reply is parsed and dropped.
        transport->sendFrame(CommDataFormat::buildConnect());
        const Bytes late = test::replyTo(transport->sendBuffer(), {0x01});
        transport->waitReply(calls.callback(), 0.03);
        QTRY_COMPARE(calls.calls().size(), 2);
        QCOMPARE(calls.calls()[1], (std::pair<bool, Bytes>{false, {}}));
        QCOMPARE(capture.count(QStringLiteral("recv timeout")), 1);
        factory.last()->deliverNow(late);
        QCOMPARE(calls.calls().size(), 2);

        // A new wait replaces the earlier one together with its timeout.
        Calls replaced;
        transport->waitReply(replaced.callback(), 0.02);
        transport->waitReply(calls.callback(), 1.0);
        QTest::qWait(100);
        QCOMPARE(calls.calls().size(), 2);
        QVERIFY(replaced.calls().isEmpty());
        QTRY_COMPARE(calls.calls().size(), 3);
        QVERIFY(replaced.calls().isEmpty());
    }

    void partialFrameSurvivesTimeout() {
        Calls calls;
        transport->sendFrame(CommDataFormat::buildConnect());
        const Bytes reply = test::replyTo(transport->sendBuffer(), {0x01});
        transport->waitReply(calls.callback(), 0.02);
        factory.last()->deliverNow(Bytes(reply.begin(), reply.begin() + 4));
        QTRY_COMPARE(calls.calls().size(), 1);
        transport->waitReply(calls.callback(), 1.0);
        factory.last()->deliverNow(Bytes(reply.begin() + 4, reply.end()));
        QCOMPARE(calls.calls().size(), 2);
        QVERIFY(calls.calls()[1].first);
    }

    void firmwareReceiveModes_data() {
        using U = UsbSerialInterface;
        // The wait, the bytes arriving, the result: 1 true, 0 false, -1 no completion.
        test::rows<int, Bytes, int>({{"ready", U::firmup, {0x43}, 1},
                                     {"ack", U::firmup, {0x06}, 1},
                                     {"nak counts as an answer", U::firmup, {0x15}, 1},
                                     {"cancel", U::firmup, {0x18}, 0},
                                     {"other byte", U::firmup, {0x55, 0x06}, 0},
                                     {"eot1 nak", U::eot1, {0x15}, 1},
                                     {"eot1 cancel", U::eot1, {0x18}, 0},
                                     {"eot1 nak after noise", U::eot1, {0x06, 0x15}, 1},
                                     {"eot2 ack after nak", U::eot2, {0x15, 0x06}, 1},
                                     {"eot2 cancel first", U::eot2, {0x55, 0x18, 0x06}, 0},
                                     {"eot2 noise only", U::eot2, {0x15, 0x55}, -1}});
    }

    void firmwareReceiveModes() {
        const auto [mode, bytes, result] = test::row<int, Bytes, int>();
        Calls calls;
        transport->firmwareUpdating = true;
        transport->waitType = mode;
        transport->waitReply(calls.callback(), 0.05);
        factory.last()->deliverNow(bytes);
        if (result >= 0) {
            QCOMPARE(calls.calls().size(), 1);
            QCOMPARE(calls.calls()[0], (std::pair<bool, Bytes>{result == 1, bytes}));
        } else {
            // The noise is dropped and the wait ends by its timeout, once.
            QVERIFY(calls.calls().isEmpty());
            QTRY_COMPARE(calls.calls().size(), 1);
            QCOMPARE(calls.calls()[0], (std::pair<bool, Bytes>{false, {}}));
        }
        QTest::qWait(80);
        QCOMPARE(calls.calls().size(), 1);
    }

    void removalOutsideAndDuringFirmware() {
        test::DiagnosticCapture capture;
        // Opening an open port keeps the first removal action.
        int other = 0;
        QVERIFY(transport->open(QStringLiteral("/dev/fake1"), [&other] { ++other; }));
        QCOMPARE(factory.created(), 1);

        factory.last()->unplug();
        QCOMPARE(removals, 1);
        QCOMPARE(other, 0);
        QCOMPARE(capture.count(QStringLiteral("Port Removed From System")), 1);
        QVERIFY(!transport->isPortOpen());
        QCOMPARE(transport->sendFrame(CommDataFormat::buildConnect()),
                 int(UsbSerialInterface::NO_PORT));

        QVERIFY(transport->open(QStringLiteral("/dev/fake0"), [this] { ++removals; }));
        transport->firmwareUpdating = true;
        factory.last()->unplug();
        QCOMPARE(removals, 1);
        QCOMPARE(capture.count(QStringLiteral("Port Removed From System")), 2);
    }

    void closeClearsRemovalAction() {
        transport->sendFrame(CommDataFormat::buildConnect());
        test::DiagnosticCapture capture;
        auto* port = factory.last();
        transport->closePort();
        QVERIFY(!transport->isPortOpen());
        QCOMPARE(capture.lines(), QStringList{QStringLiteral("Port Close")});
        port->unplug();
        QCOMPARE(removals, 0);
        // Closing a closed port is silent.
        transport->closePort();
        QCOMPARE(capture.count(QStringLiteral("Port Close")), 1);
        // The numbering continues on a reopened port.
        QCOMPARE(transport->sendFrame(CommDataFormat::buildConnect()),
                 int(UsbSerialInterface::NO_PORT));
        QVERIFY(transport->reopen(QStringLiteral("/dev/fake0")));
        transport->sendFrame(CommDataFormat::buildConnect());
        QCOMPARE(factory.last()->writes.last()[1], std::uint8_t(2));
        QVERIFY(capture.lines().contains(QStringLiteral("Port ReOpen")));
    }

    void portErrorsAreReportedNotActedOn() {
        test::DiagnosticCapture capture;
        emit factory.last()->failed(QStringLiteral("framing"));
        QCOMPARE(capture.lines(), QStringList{QStringLiteral("Port Error")});
        QVERIFY(transport->isPortOpen());
        QCOMPARE(removals, 0);
    }
};

QTEST_GUILESS_MAIN(TestTransport)
#include "tst_transport.moc"
