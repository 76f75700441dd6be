// The real QSerialPort against the virtual lens on a pseudo-terminal: the whole command
// set, faults on the line, unplugging during an exchange and the firmware handshake.
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

Bytes payload(const Result& r) {
    return r.data.size() < 5 ? Bytes{} : Bytes(r.data.begin() + 5, r.data.end());
}

// The answers to firmware steps, from whichever thread reports them.
struct Answers {
    std::mutex mutex;
    QList<std::pair<bool, Bytes>> list;

    int count() {
        std::lock_guard lock(mutex);
        return int(list.size());
    }
    std::pair<bool, Bytes> last() {
        std::lock_guard lock(mutex);
        return list.last();
    }
    static LensClient::Completion recordInto(const std::shared_ptr<Answers>& answers) {
        return [answers](bool ok, const Bytes& data) {
            std::lock_guard lock(answers->mutex);
            answers->list.append({ok, data});
        };
    }
};

} // namespace

class TestLinkOverPty : public QObject {
    Q_OBJECT

    const std::shared_ptr<Environment> environment = Environment::create();
    std::unique_ptr<sim::VirtualLens> lens;
    int removals = 0;

    void startLens(const QString& preset) {
        lens.reset();
        const auto profile = sim::LensProfile::preset(preset);
        QVERIFY(profile);
        lens = std::make_unique<sim::VirtualLens>(*profile);
        QString error;
        QVERIFY2(lens->start({}, &error), qPrintable(error));
        LensClient::install(*environment, std::make_shared<UsbSerialInterface>(),
                            std::make_shared<UsbSerialPortList>(0x1234, lens->linkPath()));
        removals = 0;
        QVERIFY(LensClient::openAdapterPort([this] { ++removals; }));
    }

private slots:
    void initTestCase() {
        Timings t;
        t.modeSwitchSettle = 0.05;
        environment->setTimings(t);
    }

    void cleanup() {
        LensClient::transport().firmwareUpdating = false;
        LensClient::transport().closePort();
        lens.reset();
    }

    void commandSetRoundTrip() {
        startLens(QStringLiteral("zoom-e"));
        const Result attach = run(CommDataFormat::buildConnect(), false);
        QVERIFY(attach.ok);
        QCOMPARE(attach.data, Bytes{0x01});

        const Result record = run(CommDataFormat::buildRead(false, 0, 0, 0));
        QVERIFY(record.ok);
        QCOMPARE(payload(record), toBytes(lens->record()));
        QCOMPARE(payload(record).size(), std::size_t(256));

        const Result block0 = run(CommDataFormat::buildRead(true, 0x00, 0, 0));
        const Result block1 = run(CommDataFormat::buildRead(true, 0x01, 0, 0));
        QVERIFY(block0.ok && block1.ok);
        Bytes image = payload(block0);
        const Bytes second = payload(block1);
        image.insert(image.end(), second.begin(), second.end());
        const Bytes factory = toBytes(lens->settingsImage());
        QCOMPARE(image, factory);

        // One setting at its address, then a whole block, then reset to factory.
        QVERIFY(run(CommDataFormat::buildWrite(true, 0x00, 0x01, 1, {0x01})).ok);
        QCOMPARE(std::uint8_t(lens->settingsImage().at(1)), std::uint8_t(0x01));
        const Bytes block(256, 0x00);
        QVERIFY(run(CommDataFormat::buildWrite(true, 0x01, 0x00, 0, block)).ok);
        QCOMPARE(toBytes(lens->settingsImage().mid(256)), block);
        QVERIFY(run(CommDataFormat::buildResetSettings()).ok);
        QCOMPARE(toBytes(lens->settingsImage()), factory);

        QVERIFY(run(CommDataFormat::buildDisconnect(), false).ok);
    }

    void lineFaults() {
        startLens(QStringLiteral("zoom-e"));
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
        startLens(QStringLiteral("zoom-e"));
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

        // Plugged back: the adapter opens again and answers.
        QTRY_VERIFY(lens->isPlugged());
        QVERIFY(LensClient::openAdapterPort([this] { ++removals; }));
        QVERIFY(run(CommDataFormat::buildConnect(), false).ok);
    }

    void firmwareHandshakeWithModeSwitch() {
        startLens(QStringLiteral("prime-z"));
        QVERIFY(lens->profile().firmwareType & LensClient::FM_INCLUDE_OS);
        QVERIFY(run(CommDataFormat::buildConnect(), false).ok);

        const auto answers = std::make_shared<Answers>();
        const LensClient::Completion record = Answers::recordInto(answers);

        LensClient::startFirmwareUpdate(UpdateMode::NORMAL, 0, 0, lens->profile().firmwareType,
                                        record);
        QTRY_COMPARE_WITH_TIMEOUT(answers->count(), 1, 5000);
        QCOMPARE(answers->last(), (std::pair<bool, Bytes>{true, {0x43}}));
        QCOMPARE(lens->framesReceived(0xFD), 2);

        Bytes image(2048, 0x5A);
        const QByteArray magic("KLVIMG");
        std::copy(magic.begin(), magic.end(), image.begin());
        image[6] = 0x02;
        image[7] = 0x10;
        for (int b = 0; b < 2; ++b) {
            LensClient::sendFirmwareBlock(Bytes(image.begin() + b * 1024, image.begin() + (b + 1) * 1024),
                                          record);
            QTRY_COMPARE(answers->count(), 2 + b);
            QCOMPARE(answers->last(), (std::pair<bool, Bytes>{true, {0x06}}));
        }
        LensClient::sendFirmwareStep(LensClient::firstEnd, {0x04}, record);
        QTRY_COMPARE(answers->count(), 4);
        QCOMPARE(answers->last().second, Bytes{0x15});
        LensClient::sendFirmwareStep(LensClient::secondEnd, {0x04}, record);
        QTRY_COMPARE(answers->count(), 5);
        QCOMPARE(answers->last(), (std::pair<bool, Bytes>{true, {0x06}}));

        QTRY_COMPARE(lens->installedImages().size(), 1);
        QCOMPARE(toBytes(lens->installedImages().first().image), image);
        LensClient::transport().firmwareUpdating = false;
        LensClient::transport().setLineSpeed(LensClient::NORMAL_BAUD);
        const Bytes after = payload(run(CommDataFormat::buildRead(false, 0, 0, 0)));
        QVERIFY(after.size() >= 26);
        QCOMPARE(Bytes(after.begin() + 24, after.begin() + 26), (Bytes{0x10, 0x02}));
    }

    void nakOnABlock() {
        startLens(QStringLiteral("zoom-e"));
        lens->setBlockFault(1, sim::FaultPlan::BlockFault::Nak);
        const auto answers = std::make_shared<Answers>();
        LensClient::startFirmwareUpdate(UpdateMode::NORMAL, 1, 0, 0, Answers::recordInto(answers));
        QTRY_COMPARE_WITH_TIMEOUT(answers->count(), 1, 5000);
        QVERIFY(answers->last().first);
        LensClient::sendFirmwareBlock(Bytes(1024, 0x00), Answers::recordInto(answers));
        QTRY_COMPARE(answers->count(), 2);
        // NAK is an answer; the caller decides.
        QCOMPARE(answers->last(), (std::pair<bool, Bytes>{true, {0x15}}));
    }

};

QTEST_GUILESS_MAIN(TestLinkOverPty)
#include "tst_link_pty.moc"
