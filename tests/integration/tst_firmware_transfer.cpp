// Whole firmware updates with the real QSerialPort against the virtual lens on a
// pseudo-terminal and packages from its update server (HTTP on loopback or a mirror
// directory): what the lens installs, in which order, and how every failure ends.
#include "DiagnosticCapture.h"
#include "ExchangeNow.h"
#include "LensFirmware.h"
#include "MessageAnswer.h"
#include "UpdateServer.h"
#include "VirtualLens.h"
#include "controller/AppViewModel.h"
#include "firmware/FirmwareUpdateModel.h"
#include "link/LensClient.h"
#include "model/BasicInfoViewModel.h"
#include "platform/Environment.h"
#include "platform/QtHttpClient.h"
#include "ui/ButtonMode.h"
#include "ui/MessageViewModel.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <mutex>

using namespace kelvara;
using Kind = sim::LensFirmware::Kind;

namespace {

struct Call {
    float progress = 0;
    UpdateState state = UpdateState::Idle;
    bool onMain = false;
};

// Thread-safe record of the progress callback.
class Recorder {
  public:
    FirmwareUpdateModel::ProgressCallback callback() {
        return [this](float progress, UpdateState state) {
            std::lock_guard lock(mutex_);
            calls_.append({progress, state, QThread::currentThread() == qApp->thread()});
        };
    }
    QList<Call> calls() const {
        std::lock_guard lock(mutex_);
        return calls_;
    }
    bool ended() const {
        std::lock_guard lock(mutex_);
        return !calls_.isEmpty() && calls_.last().state != UpdateState::Start;
    }

  private:
    mutable std::mutex mutex_;
    QList<Call> calls_;
};

} // namespace

class TestFirmwareTransfer : public QObject {
    Q_OBJECT

    const std::shared_ptr<Environment> environment = Environment::create();
    sim::UpdateServer server;
    std::unique_ptr<sim::VirtualLens> lens;
    test::DiagnosticCapture capture;

    void startLens(const QString& preset) {
        lens.reset();
        const auto profile = sim::LensProfile::preset(preset);
        QVERIFY(profile);
        lens = std::make_unique<sim::VirtualLens>(*profile);
        QString error;
        QVERIFY2(lens->start({}, &error), qPrintable(error));
        server.addLens(*profile);
        LensClient::install(*environment, std::make_shared<UsbSerialInterface>(),
                            std::make_shared<UsbSerialPortList>(0x1234, lens->linkPath()));
        QVERIFY(LensClient::openAdapterPort([] {}));
    }

    // Runs one update to its end report; the calls of the progress callback.
    QList<Call> update(FirmwareUpdateModel& model, UpdateMode mode, const QString& address = {}) {
        Recorder recorder;
        const sim::LensFirmware firmware(lens->profile());
        model.setFirmwareType(lens->profile().firmwareType);
        const QString url =
            address.isEmpty() ? FirmwareUpdateModel::packageAddress(firmware.fileName()) : address;
        const QString key =
            QString::fromUtf8(server.document(sim::UpdateServer::cataloguePath(lens->profile())))
                .section("<DescriptionKey>", 1, 1)
                .section("</DescriptionKey>", 0, 0);
        if (!model.startUpdate(mode, url, key, recorder.callback()))
            return {};
        if (!QTest::qWaitFor([&] { return recorder.ended(); }, 30000))
            qFatal("update did not end");
        return recorder.calls();
    }

    // The end as every outcome must leave it.
    void verifyEnd(const FirmwareUpdateModel& model, const QList<Call>& calls, UpdateState state) {
        QVERIFY(!calls.isEmpty());
        const auto fields = [](const Call& c) {
            return std::tuple{int(c.state), c.progress, c.onMain};
        };
        QCOMPARE(fields(calls.first()), (std::tuple{int(UpdateState::Start), 0.0f, true}));
        QCOMPARE(fields(calls.last()), (std::tuple{int(state), 1.0f, true}));
        QCOMPARE(int(model.download_state()), int(state));
        QCOMPARE(model.download_progress(), 0.0f);
        QVERIFY(!model.firmwareUpdating());
        QVERIFY(!LensClient::transport().isPortOpen());
        QVERIFY(!LensClient::transport().firmwareUpdating);
    }

    // The firmware version the lens reports at the next connection, read over the link.
    QString versionAtNextConnect() {
        if (!QTest::qWaitFor([&] { return lens->isPlugged(); }, 3000) ||
            !LensClient::openAdapterPort([] {}))
            return QStringLiteral("no port");
        const auto record = test::exchangeNow(CommDataFormat::buildRead(false, 0, 0, 0));
        if (!record || !record->first)
            return QStringLiteral("no answer");
        const Bytes& r = record->second;
        if (r.size() < 5 + 26)
            return QStringLiteral("short record");
        return QStringLiteral("%1.%2")
            .arg(r[5 + 25], 2, 16, QLatin1Char('0'))
            .arg(r[5 + 24], 2, 16, QLatin1Char('0'));
    }

    static bool answer(AppViewModel& app, const char* key, bool yes = true) {
        return test::answerMessage(*app.message(), key, yes, 30000);
    }

    // Waits for the next end of the expected operation; the ends of others are passed over.
    static bool ended(QSignalSpy& outcomes, const Outcome& expected) {
        for (;;) {
            if (outcomes.isEmpty() && !outcomes.wait(30000))
                return false;
            const Outcome seen = outcomes.takeFirst().first().value<Outcome>();
            if (seen == expected)
                return true;
            if (seen.operation == expected.operation) {
                qWarning("ended %d with '%s'", int(seen.result), qPrintable(seen.textId));
                return false;
            }
        }
    }

  private slots:
    void initTestCase() {
        QString error;
        QVERIFY2(server.start(0, &error), qPrintable(error));
    }

    void init() {
        Timings t;
        t.replyTimeout = 0.25;
        t.firmwareFirstTimeout = 1.5;
        t.modeSwitchSettle = 0.05;
        t.modeSwitchRestart = 0.02;
        t.httpTimeout = 3.0;
        environment->setTimings(t);
        environment->setHttpClient(std::make_shared<QtHttpClient>());
        environment->setUpdateBaseUrl(server.baseUrl());
        server.clearFaults();
        capture.clear();
    }

    void cleanup() {
        LensClient::transport().firmwareUpdating = false;
        LensClient::transport().closePort();
        lens.reset();
    }

    // A lens whose adapter must switch modes for the main image (prime-z) sends that image
    // to area 2 after a second connection request, except in safe mode.
    void imagesInstallInTheirOrderWithEvenProgress_data() {
        QTest::addColumn<QString>("preset");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QList<int>>("devices");
        QTest::addColumn<int>("mainArea"); // -1: the package's
        QTest::addColumn<int>("switches"); // connection requests during the transfer
        const int single = int(Kind::Single);
        const int multi = int(Kind::Multi);
        const int normal = int(UpdateMode::NORMAL);
        const int safe = int(UpdateMode::SAFEMODE);
        QTest::newRow("single image") << "zoom-e" << single << normal << QList<int>{0} << -1 << 0;
        QTest::newRow("normal: main image last")
            << "zoom-e" << multi << normal << QList<int>{1, 2, 0} << -1 << 0;
        QTest::newRow("safe mode: main image only")
            << "zoom-e" << multi << safe << QList<int>{0} << -1 << 0;
        QTest::newRow("main: package order")
            << "zoom-e" << multi << int(UpdateMode::MAIN) << QList<int>{1, 0, 2} << -1 << 0;
        QTest::newRow("normal: area 2 after the switch")
            << "prime-z" << single << normal << QList<int>{0} << 2 << 1;
        QTest::newRow("safe mode: own area, no switch")
            << "prime-z" << single << safe << QList<int>{0} << 0 << 0;
    }

    void imagesInstallInTheirOrderWithEvenProgress() {
        QFETCH(QString, preset);
        QFETCH(int, kind);
        QFETCH(int, mode);
        QFETCH(QList<int>, devices);
        QFETCH(int, mainArea);
        QFETCH(int, switches);
        startLens(preset);
        QCOMPARE(bool(lens->profile().firmwareType & FirmwareUpdateModel::FM_INCLUDE_OS),
                 preset == QLatin1String("prime-z"));
        QVERIFY(server.setPackageKind(lens->profile(), Kind(kind)));
        FirmwareUpdateModel model;
        const QList<Call> calls = update(model, UpdateMode(mode));
        verifyEnd(model, calls, UpdateState::Complete);
        QCOMPARE(lens->framesReceived(0xF8), switches);
        QCOMPARE(capture.count("Port Close"), 1 + switches); // the switch reopens the port

        const sim::LensFirmware firmware(lens->profile());
        const QList<sim::FirmwarePackage::Image> sent = firmware.images(Kind(kind));
        const QList<sim::InstalledImage> installed = lens->installedImages();
        QCOMPARE(installed.size(), devices.size());
        int blocks = 0;
        for (int i = 0; i < devices.size(); ++i) {
            QCOMPARE(int(installed.at(i).device), devices.at(i));
            const auto source = std::find_if(
                sent.begin(), sent.end(), [&](const auto& s) { return s.device == devices.at(i); });
            QCOMPARE(int(installed.at(i).area),
                     devices.at(i) == 0 && mainArea >= 0 ? mainArea : int(source->area));
            const QByteArray& data = source->data;
            // A leading block of zeros, the data, zeros up to the end of the last block.
            const int dataBlocks = (int(data.size()) + 1023) / 1024;
            QCOMPARE(installed.at(i).stream,
                     QByteArray(1024, 0) + data + QByteArray(dataBlocks * 1024 - data.size(), 0));
            QVERIFY(installed.at(i).image.startsWith(data));
            blocks += 1 + dataBlocks;
        }
        // One progress call per block, over all images together, ending at exactly 1.
        const QList<Call> progress = calls.mid(1, calls.size() - 2);
        QCOMPARE(progress.size(), blocks);
        for (int i = 0; i < blocks; ++i)
            QCOMPARE(progress.at(i).progress, float((i + 1) * 1024) / float(blocks * 1024));
        QCOMPARE(versionAtNextConnect(), firmware.version());
    }

    void everyFailureEndsInError_data() {
        QTest::addColumn<QString>("fault");    // a control command of the lens, or empty
        QTest::addColumn<int>("kind");         // package served
        QTest::addColumn<int>("acked");        // blocks acknowledged before the failure
        QTest::addColumn<int>("installedMin"); // images the lens took before the failure
        QTest::addColumn<bool>("cutShort");    // the lens was left with half an image
        const int all = 1 + (sim::LensProfile::kDefaultFirmwareImageSize + 1023) / 1024;
        const int single = int(Kind::Single);
        QTest::newRow("start refused") << "refuse 0x80 1 fn 0xFD" << single << 0 << 0 << false;
        QTest::newRow("NAK on block 3") << "block 3 nak 1" << single << 2 << 0 << true;
        QTest::newRow("silence on block 2") << "block 2 silent 1" << single << 1 << 0 << true;
        QTest::newRow("first EOT answered with ACK") << "eot1 ack" << single << all << 0 << true;
        QTest::newRow("second EOT answered with CAN") << "eot2 can" << single << all << 0 << true;
        QTest::newRow("second EOT unanswered") << "eot2 silent" << single << all << 0 << true;
        QTest::newRow("unplugged at block 4") << "unplug 200 block 4" << single << 3 << 0 << true;
        // The third image (main) fails at its 7th block; the first two (5 and 4 blocks)
        // were sent completely.
        QTest::newRow("fault in a later image")
            << "block 7 nak 1" << int(Kind::Multi) << 5 + 4 + 6 << 2 << true;
        QTest::newRow("bad CRC in the package") << "" << int(Kind::BadCrc) << 0 << 0 << false;
        QTest::newRow("bad key text") << "" << int(Kind::BadKey) << 0 << 0 << false;
        QTest::newRow("truncated package") << "" << int(Kind::Truncated) << 0 << 0 << false;
        QTest::newRow("declared size too large") << "" << int(Kind::Oversize) << 0 << 0 << false;
    }

    void everyFailureEndsInError() {
        QFETCH(QString, fault);
        QFETCH(int, kind);
        QFETCH(int, acked);
        QFETCH(int, installedMin);
        QFETCH(bool, cutShort);
        startLens("zoom-e");
        QVERIFY(server.setPackageKind(lens->profile(), Kind(kind)));
        if (!fault.isEmpty())
            QVERIFY2(lens->execute(fault).startsWith(QLatin1String("ok")),
                     qPrintable(lens->execute(fault)));
        FirmwareUpdateModel model;
        const QList<Call> calls = update(model, UpdateMode::NORMAL);
        verifyEnd(model, calls, UpdateState::Error);
        // A block counts only when the lens took it: a NAK is no progress.
        QCOMPARE(calls.size() - 2, acked);
        // Nothing of a damaged package is sent; a failing image is never installed.
        QCOMPARE(lens->installedImages().size(), installedMin);
        for (const sim::InstalledImage& image : lens->installedImages())
            QVERIFY(image.device != 0);
        QCOMPARE(versionAtNextConnect(),
                 QStringLiteral("%1.%2")
                     .arg(lens->profile().versionMajor, 2, 16, QChar(u'0'))
                     .arg(lens->profile().versionMinor, 2, 16, QChar(u'0')));
        QCOMPARE(lens->attachCode(), int(cutShort ? sim::LensProfile::AttachWantsFirmware
                                                  : sim::LensProfile::AttachAlone));
    }

    // A transfer cut short in the first or the last image: at its next connection the lens
    // asks for firmware, and the controller's safe-mode path, as the window runs it,
    // installs the main image.
    void cutTransferRecoversThroughSafeMode_data() {
        QTest::addColumn<QString>("cut"); // a control command of the lens
        QTest::addColumn<int>("installedBefore");
        // Normal order: device 1 (5 blocks), device 2 (4 blocks), the main image last.
        QTest::newRow("cable pulled in the first image") << "unplug 200 block 3" << 0;
        QTest::newRow("no answer in the first image") << "block 2 silent 1" << 0;
        QTest::newRow("cable pulled in the last image") << "unplug 200 block 20" << 2;
        QTest::newRow("no answer in the last image") << "block 30 silent 1" << 2;
    }

    void cutTransferRecoversThroughSafeMode() {
        QFETCH(QString, cut);
        QFETCH(int, installedBefore);
        startLens("zoom-e");
        LensClient::transport().closePort();
        QVERIFY(server.setPackageKind(lens->profile(), Kind::Multi));
        AppViewModel app;
        qRegisterMetaType<Outcome>();
        QSignalSpy outcomes(&app, &AppViewModel::operationFinished);
        app.connectLens(true);
        QVERIFY(QTest::qWaitFor([&] { return app.basic_info()->is_new(); }, 10000));
        outcomes.clear();

        QVERIFY(lens->execute(cut).startsWith(QLatin1String("ok")));
        QVERIFY(!app.criticalOperation());
        app.startFirmwareUpdate();
        QVERIFY(answer(app, "Firmware_UpdateConfirm"));
        QVERIFY(app.criticalOperation() == Operation::FirmwareUpdate);
        QVERIFY(answer(app, "Firmware_UpdateError"));
        QVERIFY(!app.criticalOperation());
        QVERIFY(
            ended(outcomes, {Operation::FirmwareUpdate, Outcome::Failed, "Firmware_UpdateError"}));
        QCOMPARE(app.connectState(), NOT_CONNECT);
        QCOMPARE(lens->installedImages().size(), installedBefore);

        QVERIFY(QTest::qWaitFor([&] { return lens->isPlugged(); }, 3000));
        app.connectLens(true);
        QVERIFY(answer(app, "Common_UpdateConfirm"));
        QVERIFY(app.is_safemode());
        QVERIFY(app.criticalOperation() == Operation::SafeModeUpdate);
        QVERIFY(ended(outcomes, {Operation::SafeModeUpdate, Outcome::Done, QString()}));
        app.finishFirmwareUpdate();
        // The lens's own thread installs the image once it has answered the last step.
        QTRY_COMPARE_WITH_TIMEOUT(lens->installedImages().size(), installedBefore + 1, 5000);
        QCOMPARE(int(lens->installedImages().last().device), 0);
        QCOMPARE(lens->attachCode(), int(sim::LensProfile::AttachAlone));
        QCOMPARE(versionAtNextConnect(), sim::LensFirmware(lens->profile()).version());
    }

    // What the real HTTP client makes of a server that is not there; the server's own
    // answers are cells of the fault matrix.
    void noServerListeningIsANetworkError() {
        startLens("zoom-e");
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost));
        const quint16 port = probe.serverPort();
        probe.close();
        FirmwareUpdateModel model;
        const QString address = QStringLiteral("http://127.0.0.1:%1/kelvara/lens/x.bin").arg(port);
        const QList<Call> calls = update(model, UpdateMode::NORMAL, address);
        verifyEnd(model, calls, UpdateState::NetworkError);
        QCOMPARE(calls.size(), 2); // start and end, no block
        QVERIFY(lens->installedImages().isEmpty());
    }

    // A copy of the server on disk that lacks the package; an update from a whole copy is
    // the command line's mirror test.
    void offlineMirrorWithoutThePackage() {
        startLens("prime-z");
        QTemporaryDir dir;
        QString error;
        QVERIFY2(server.exportMirror(dir.path(), &error), qPrintable(error));
        QVERIFY(
            QFile::remove(dir.filePath(sim::UpdateServer::packagePath(lens->profile()).mid(1))));
        environment->setUpdateBaseUrl(QUrl::fromLocalFile(dir.path()).toString());
        FirmwareUpdateModel model;
        verifyEnd(model, update(model, UpdateMode::NORMAL), UpdateState::Error);
        QVERIFY(lens->installedImages().isEmpty());
    }

    void secondStartWhileRunningIsRefused() {
        startLens("zoom-e");
        FirmwareUpdateModel model;
        Recorder first;
        Recorder second;
        const sim::LensFirmware firmware(lens->profile());
        const QString url = FirmwareUpdateModel::packageAddress(firmware.fileName());
        QVERIFY(model.startUpdate(UpdateMode::NORMAL, url, firmware.descriptionKey(),
                                  first.callback()));
        QVERIFY(model.firmwareUpdating());
        QVERIFY(!model.startUpdate(UpdateMode::NORMAL, url, firmware.descriptionKey(),
                                   second.callback()));
        QVERIFY(QTest::qWaitFor([&] { return first.ended(); }, 30000));
        verifyEnd(model, first.calls(), UpdateState::Complete);
        QVERIFY(second.calls().isEmpty());
        QCOMPARE(lens->installedImages().size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestFirmwareTransfer)
#include "tst_firmware_transfer.moc"
