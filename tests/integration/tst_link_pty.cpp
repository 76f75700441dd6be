// The real QSerialPort against the virtual lens on a pseudo-terminal: faults on the line
// and unplugging during an exchange, where the port itself misbehaves.
#include "DiagnosticCapture.h"
#include "ExchangeNow.h"
#include "VirtualLens.h"
#include "link/LensClient.h"
#include "platform/Environment.h"

#include <QTest>

using namespace kelvara;

namespace {

// How an exchange ended: 1 answered well, 0 failed, -1 never completed.
int ending(const CommDataFormat& frame, bool withStatus = true) {
    const auto end = test::exchangeNow(frame, withStatus);
    return end ? int(end->first) : -1;
}

const CommDataFormat kRecord = CommDataFormat::buildRead(false, 0, 0, 0);

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
        QCOMPARE(ending(kRecord), 1);

        lens->setRefusal(0x83, 1);
        const auto refused = test::exchangeNow(CommDataFormat::buildRead(true, 0, 0, 0));
        QVERIFY(refused && !refused->first);
        QCOMPARE(refused->second.at(0), std::uint8_t(0x83));

        lens->setNoReply(1);
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(ending(CommDataFormat::buildConnect(), false), 0);
        QVERIFY(clock.elapsed() >= 450);
        QCOMPARE(capture.count(QStringLiteral("recv timeout")), 1);
        QCOMPARE(ending(CommDataFormat::buildConnect(), false), 1); // the link recovers
    }

    void unplugDuringExchangeReportsOnce() {
        startLens();
        test::DiagnosticCapture capture;
        lens->unplugOnFunction(0xF4, 300);
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(ending(kRecord), 0);
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
        QCOMPARE(ending(kRecord), 1);
    }
};

QTEST_GUILESS_MAIN(TestLinkOverPty)
#include "tst_link_pty.moc"
