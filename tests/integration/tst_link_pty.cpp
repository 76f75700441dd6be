// The real QSerialPort against the virtual lens on a pseudo-terminal: faults on the line
// and unplugging during an exchange, where the port itself misbehaves.
#include "DiagnosticCapture.h"
#include "VirtualLens.h"
#include "link/LensClient.h"
#include "platform/Environment.h"

#include <QTest>

#include <mutex>

using namespace kelvara;

namespace {

struct Result {
    bool done = false;
    bool ok = false;
    Bytes data;
};

// Runs one exchange and waits for its completion while the event loop turns.
Result run(const CommDataFormat& frame, bool withStatus = true) {
    auto result = std::make_shared<Result>();
    auto mutex = std::make_shared<std::mutex>();
    LensClient::Completion done = [result, mutex](bool ok, const Bytes& data) {
        std::lock_guard lock(*mutex);
        *result = {true, ok, data};
    };
    LensClient::exchange(frame, withStatus ? LensClient::withStatus(done) : done);
    const auto finished = [&] {
        std::lock_guard lock(*mutex);
        return result->done;
    };
    if (!QTest::qWaitFor(finished, 3000))
        return {};
    std::lock_guard lock(*mutex);
    return *result;
}

} // namespace

class TestLinkOverPty : public QObject {
    Q_OBJECT

    const std::shared_ptr<Environment> environment = Environment::create();
    std::unique_ptr<sim::VirtualLens> lens;
    int removals = 0;

    void startLens() {
        lens = std::make_unique<sim::VirtualLens>(*sim::LensProfile::preset("zoom-e"));
        QString error;
        QVERIFY2(lens->start({}, &error), qPrintable(error));
        LensClient::install(*environment, std::make_shared<UsbSerialInterface>(),
                            std::make_shared<UsbSerialPortList>(0x1234, lens->linkPath()));
        removals = 0;
        QVERIFY(LensClient::openAdapterPort([this] { ++removals; }));
    }

private slots:
    void cleanup() {
        LensClient::transport().closePort();
        lens.reset();
    }

    void lineFaults() {
        startLens();
        test::DiagnosticCapture capture;
        lens->setGarbage(1);
        lens->setSplit(1);
        QVERIFY(run(CommDataFormat::buildRead(false, 0, 0, 0)).ok);

        lens->setRefusal(0x83, 1);
        const Result refused = run(CommDataFormat::buildRead(true, 0, 0, 0));
        QVERIFY(refused.done && !refused.ok);
        QCOMPARE(refused.data.at(0), std::uint8_t(0x83));

        lens->setNoReply(1);
        QElapsedTimer clock;
        clock.start();
        const Result silent = run(CommDataFormat::buildConnect(), false);
        QVERIFY(silent.done && !silent.ok);
        QVERIFY(clock.elapsed() >= 450);
        QCOMPARE(capture.count(QStringLiteral("recv timeout")), 1);
        QVERIFY(run(CommDataFormat::buildConnect(), false).ok); // the link recovers
    }

    void unplugDuringExchangeReportsOnce() {
        startLens();
        test::DiagnosticCapture capture;
        lens->unplugOnFunction(0xF4, 300);
        QElapsedTimer clock;
        clock.start();
        const Result r = run(CommDataFormat::buildRead(false, 0, 0, 0));
        QVERIFY(r.done && !r.ok);
        QTRY_COMPARE(removals, 1);
        QVERIFY(clock.elapsed() < 1000);
        QTest::qWait(200);
        QCOMPARE(removals, 1);
        QCOMPARE(capture.count(QStringLiteral("Port Removed From System")), 1);
        QVERIFY(capture.count(QStringLiteral("Port Error")) <= 1);
        QVERIFY(capture.lines().size() < 20);

        // Plugged back: the adapter opens again and answers the same request, since the
        // fault was for one time only.
        QTRY_VERIFY(lens->isPlugged());
        QVERIFY(LensClient::openAdapterPort([this] { ++removals; }));
        QVERIFY(run(CommDataFormat::buildRead(false, 0, 0, 0)).ok);
    }
};

QTEST_GUILESS_MAIN(TestLinkOverPty)
#include "tst_link_pty.moc"
