// The application controller against the virtual lens over a real serial port: the
// connect state machine, its failures, detach and reconnect, export and import, reset,
// and a firmware update followed by the version the lens then reports.
#include "ChosenFile.h"
#include "DiagnosticCapture.h"
#include "FakeHttpClient.h"
#include "MessageAnswer.h"
#include "FirmwarePackage.h"
#include "LensFirmware.h"
#include "UpdateServer.h"
#include "VirtualLens.h"
#include "controller/AppViewModel.h"
#include "controller/SettingsBackup.h"
#include "link/LensClient.h"
#include "model/BasicInfoViewModel.h"
#include "model/LensSettingViewModel.h"
#include "platform/Environment.h"
#include "platform/MainThread.h"
#include "platform/PortProblem.h"
#include "platform/QtHttpClient.h"
#include "ui/ButtonMode.h"
#include "ui/MessageViewModel.h"

#include <QFile>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>


using namespace kelvara;

class TestController : public QObject {
    Q_OBJECT

    const std::shared_ptr<Environment> environment = Environment::create();
    std::unique_ptr<sim::VirtualLens> lens;
    std::unique_ptr<AppViewModel> app;
    test::ChosenFile dialogs;
    QTemporaryDir files;
    QList<Outcome> outcomes;

    void start(sim::LensProfile profile, const QString& portOverride = {}) {
        app.reset();
        lens = std::make_unique<sim::VirtualLens>(std::move(profile));
        QString error;
        QVERIFY2(lens->start({}, &error), qPrintable(error));
        LensClient::install(*environment, std::make_shared<UsbSerialInterface>(),
                            std::make_shared<UsbSerialPortList>(
                                0x1234, portOverride.isEmpty() ? lens->linkPath() : portOverride));
        app = std::make_unique<AppViewModel>();
        app->setFileDialogs(&dialogs);
        outcomes.clear();
        connect(app.get(), &AppViewModel::operationFinished, this,
                [this](const Outcome& o) { outcomes.append(o); });
    }

    // Waits until the operation has ended so; the outcomes of other operations between
    // are ignored, an earlier end of the same operation is a failure.
    bool ended(Operation operation, Outcome::Result result, const char* key = "",
               const QStringList& args = {}) {
        const auto first = [&] {
            return std::find_if(outcomes.begin(), outcomes.end(),
                                [&](const Outcome& o) { return o.operation == operation; });
        };
        if (!QTest::qWaitFor([&] { return first() != outcomes.end(); }, 5000)) {
            qWarning("operation %d did not end", int(operation));
            return false;
        }
        const Outcome seen = *first();
        outcomes.erase(first());
        if (seen == Outcome{operation, result, QString::fromLatin1(key), args})
            return true;
        qWarning("operation %d ended %d with '%s'", int(operation), int(seen.result),
                 qPrintable(seen.textId));
        return false;
    }

    static sim::LensProfile preset(const char* name) {
        return *sim::LensProfile::preset(QString::fromLatin1(name));
    }

    bool answer(const char* key, bool yes = true) {
        return test::answerMessage(*app->message(), key, yes);
    }

    // Exports the lens's settings to a file of that name; its path.
    QString exported(const QString& name) {
        dialogs.path = files.filePath(name);
        app->exportSettings();
        return answer("Home_SettingOutputEnd") ? dialogs.path : QString();
    }

    bool connected(bool forCustomizing = true) {
        app->connectLens(forCustomizing);
        return QTest::qWaitFor([&] { return app->connectState() == CONNECT_COMPLETE; }, 5000);
    }

    bool connectedTo(sim::LensProfile profile = preset("zoom-e"), bool forCustomizing = true) {
        start(std::move(profile));
        return !QTest::currentTestFailed() && connected(forCustomizing);
    }

private slots:
    void initTestCase() {
        // Backups of its own: the fault matrix, running beside it, keeps backups too.
        qputenv("HOME", QFile::encodeName(files.path()));
        QStandardPaths::setTestModeEnabled(true);
        Timings t;
        t.autoConnectInterval = 0.1;
        t.lensRestartWait = 0.5;
        environment->setTimings(t);
    }

    void init() { environment->setHttpClient(std::make_shared<test::FakeHttpClient>()); }

    void cleanup() {
        app.reset();
        LensClient::transport().closePort();
        lens.reset();
    }

    void connectForCustomizing() {
        QVERIFY(connectedTo());
        QVERIFY(ended(Operation::Connect, Outcome::Done));
        // The fake server answers nothing.
        QVERIFY(ended(Operation::FirmwareCheck, Outcome::Failed, "Footer_FWCheckError"));
        QCOMPARE(app->selectedMenu(), HOME);
        QCOMPARE(toQByteArray(app->lens_setting()->e2p()), lens->settingsImage());
        QCOMPARE(toQByteArray(app->basic_info()->rom()), lens->record());
        QCOMPARE(app->basic_info()->modelName(), lens->profile().modelName);
        QVERIFY(!app->isConnectBody());
        QVERIFY(LensClient::transport().isPortOpen());
    }

    void firmwareEntryShowsTheFirmwarePage() {
        QVERIFY(connectedTo(preset("on-body"), false));
        QCOMPARE(app->selectedMenu(), FIRMWARE_INFO);
        QCOMPARE(app->connectMode(), customize);
        QVERIFY(app->isConnectBody());
    }

    void connectFailures_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QStringList>("args");
        // The missing port's message says what was found there.
        PortProblem missing;
        missing.path = "/nonexistent/tty";
        QTest::addRow("no such port") << "noport" << "Connect_PortMissing"
                                      << QStringList{missing.text()};
        QTest::addRow("no reply to connect") << "silent" << "Connect_LensConnectError" << QStringList();
        QTest::addRow("camera status on the record")
            << "refuse83" << "Connect_CameraConnectionStatusError" << QStringList();
        QTest::addRow("unplugged while reading") << "unplug" << "Common_LensRemovalMessage"
                                                 << QStringList();
    }

    void connectFailures() {
        QFETCH(QString, fault);
        QFETCH(QString, key);
        QFETCH(QStringList, args);
        start(preset("zoom-e"), fault == QLatin1String("noport") ? "/nonexistent/tty" : QString());
        if (fault == QLatin1String("silent"))
            lens->setNoReply(1, 0xF8);
        else if (fault == QLatin1String("refuse83"))
            lens->setRefusal(0x83, 1, 0xF4);
        else if (fault == QLatin1String("unplug"))
            lens->unplugOnFunction(0xF4, 0);
        app->connectLens(true);
        QVERIFY(answer(key.toLatin1()));
        // The read that the removal cut short reports too, after the removal.
        if (fault == QLatin1String("unplug")) {
            QVERIFY(answer("Home_LensSettingLoadError"));
            QVERIFY(ended(Operation::Disconnect, Outcome::Failed, "Common_LensRemovalMessage"));
            key = "Home_LensSettingLoadError";
        }
        QVERIFY(ended(Operation::Connect, Outcome::Failed, key.toLatin1(), args));
        QTRY_COMPARE(app->connectState(), NOT_CONNECT);
        QCOMPARE(app->selectedMenu(), CONNECT);
        QVERIFY(!LensClient::transport().isPortOpen());
    }

    void detachOfARestartingLensReconnects() {
        QVERIFY(connectedTo());
        QVERIFY(app->basic_info()->firmwareType() & BasicInfoViewModel::FM_APPLY_TIMING);
        test::DiagnosticCapture capture;
        QSignalSpy autoConnecting(app.get(), &AppViewModel::auto_connectingChanged);
        lens->unplug(300);
        QTRY_VERIFY(app->isAutoConnecting());
        QTRY_VERIFY_WITH_TIMEOUT(capture.lines().contains("connected!! stop timer."), 5000);
        QVERIFY(!app->isAutoConnecting());
        QCOMPARE(autoConnecting.count(), 2);
        QCOMPARE(app->connectState(), CONNECT_COMPLETE);
        QVERIFY(!app->message()->show_message());
        QVERIFY(LensClient::transport().isPortOpen());
    }

    void exportThenImport() {
        QVERIFY(connectedTo());
        const QByteArray before = lens->settingsImage();
        dialogs.path.clear(); // the panel cancelled
        app->exportSettings();
        QVERIFY(ended(Operation::Export, Outcome::AnsweredNo));
        QFile saved(exported("lens.vdat"));
        QVERIFY(ended(Operation::Export, Outcome::Done, "Home_SettingOutputEnd"));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray file = saved.readAll();
        QCOMPARE(file.size(), 530);
        QCOMPARE(file.mid(16, 512), before);

        // Change the lens behind the program's back, then load the file into it.
        lens->execute("factory");
        app->lens_setting()->setDirection(app->lens_setting()->direction() == 1 ? 0 : 1);
        QTRY_VERIFY(lens->settingsImage() != before);
        const int writesBefore = lens->framesReceived(0xF5);
        QSignalSpy backups(app.get(), &AppViewModel::backupTaken);
        app->importSettings();
        QVERIFY(answer("Home_SettingInputEnd"));
        QVERIFY(ended(Operation::Import, Outcome::Done, "Home_SettingInputEnd"));
        QVERIFY(ended(Operation::SettingsRead, Outcome::Done));
        QCOMPARE(backups.count(), 1);
        QCOMPARE(backups.first().first().toString(), app->lastBackup());
        QCOMPARE(SettingsBackup::reasonOf(app->lastBackup()), SettingsBackup::Reason::Import);
        QCOMPARE(lens->framesReceived(0xF5), writesBefore + 2);
        QCOMPARE(lens->settingsImage(), before);
        QVERIFY(QFile::exists(app->lastBackup()));
        QTRY_COMPARE(app->connectState(), CONNECT_COMPLETE); // re-read after OK
    }

    // A file that fails its checks is refused before any write and is not backed up; a
    // write the lens refuses stops the import there; settings the lens acknowledges but
    // does not keep are named. The connection stays throughout.
    void importFailures_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("writes");
        QTest::addRow("unreadable") << "missing"
                                    << "Home_FileLoadError" << 0;
        // What makes a file illegal is the settings file's unit test; the flow is the same.
        QTest::addRow("checksum") << "crc"
                                  << "Home_FileIllegal" << 0;
        QTest::addRow("first block refused") << "refused"
                                             << "Home_SettingInputError" << 1;
        // The lens acknowledges both blocks, then holds its factory settings again.
        QTest::addRow("not kept") << "forgotten"
                                  << "Home_SettingInputVerifyError" << 2;
    }

    void importFailures() {
        QFETCH(QString, kind);
        QFETCH(QString, key);
        QFETCH(int, writes);
        QVERIFY(connectedTo());
        const bool forgotten = kind == QLatin1String("forgotten");
        if (forgotten) { // a file off the factory settings
            app->lens_setting()->setDirection(1);
            QVERIFY(ended(Operation::Write, Outcome::Done));
        }
        QFile good(exported("good.vdat"));
        QVERIFY(good.open(QIODevice::ReadOnly));
        if (kind == QLatin1String("refused"))
            lens->setRefusal(0x80, 1, 0xF5);
        else if (forgotten)
            lens->setForgetAtWrite(2);
        else
            dialogs.path = files.filePath(kind + ".vdat");
        if (kind == QLatin1String("crc")) {
            QByteArray bytes = good.readAll();
            bytes[100] = char(bytes[100] ^ 0x01); // the checksum no longer holds
            QFile out(dialogs.path);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(bytes);
        }
        const int before = lens->framesReceived(0xF5);
        QSignalSpy backups(app.get(), &AppViewModel::backupTaken);
        app->importSettings();
        if (forgotten) {
            QVERIFY(answer("Home_SettingInputEnd"));
            QVERIFY(ended(Operation::Import, Outcome::Done, "Home_SettingInputEnd"));
            QVERIFY(answer(key.toLatin1()));
            QVERIFY(ended(Operation::SettingsRead, Outcome::Failed, key.toLatin1(),
                          {qtTrId("Home_RingDirectionSetting")}));
            // The pages show what the lens holds.
            QCOMPARE(app->lens_setting()->direction(), 0);
        } else {
            QVERIFY(answer(key.toLatin1()));
            QVERIFY(ended(Operation::Import, Outcome::Failed, key.toLatin1()));
        }
        QTest::qWait(100);
        QCOMPARE(lens->framesReceived(0xF5), before + writes);
        QCOMPARE(backups.count(), writes > 0 ? 1 : 0); // only a file that passed its checks
        QCOMPARE(app->connectState(), CONNECT_COMPLETE);
    }

    void resetAnsweredNoThenYes() {
        QVERIFY(connectedTo());
        const int writes = lens->framesReceived(0xF5);
        app->resetSettings();
        QVERIFY(answer("Home_SettingReturnQuestion", false));
        QVERIFY(ended(Operation::Reset, Outcome::AnsweredNo));
        QTest::qWait(100);
        QCOMPARE(lens->framesReceived(0xF5), writes);

        const int backups = int(SettingsBackup::list().size());
        app->resetSettings();
        QVERIFY(answer("Home_SettingReturnQuestion", true));
        // Stopping during the write would leave the settings half written.
        QVERIFY(app->criticalOperation() == Operation::Reset);
        QVERIFY(answer("Home_SettingReturnEnd"));
        QVERIFY(!app->criticalOperation());
        QVERIFY(ended(Operation::Reset, Outcome::Done, "Home_SettingReturnEnd"));
        QVERIFY(ended(Operation::SettingsRead, Outcome::Done));
        QCOMPARE(lens->framesReceived(0xF5), writes + 1);
        QCOMPARE(int(SettingsBackup::list().size()), backups + 1);
        QCOMPARE(SettingsBackup::reasonOf(app->lastBackup()), SettingsBackup::Reason::Reset);
        QTRY_COMPARE(app->connectState(), CONNECT_COMPLETE);
    }

    // A rental house backs up many lenses: one model's backups never push out another's.
    void backupsKeepTheNewestOfEachModel() {
        QDir(SettingsBackup::directory()).removeRecursively();
        const auto save = [](const QString& model) {
            QTest::qWait(2); // file names tell backups apart by the millisecond
            return SettingsBackup::save(SettingsBackup::Reason::Import, model, Bytes(16, 0),
                                        Bytes(512, 0));
        };
        const QString oldestOfA = save(QStringLiteral("AB12"));
        const QString onlyOfB = save(QStringLiteral("CD34"));
        for (int i = 0; i < SettingsBackup::KEEP; ++i)
            QVERIFY(!save(QStringLiteral("AB12")).isEmpty());
        const QStringList all = SettingsBackup::list();
        QCOMPARE(all.size(), SettingsBackup::KEEP + 1);
        QVERIFY(!all.contains(oldestOfA));
        QVERIFY(all.contains(onlyOfB));
        QDir(SettingsBackup::directory()).removeRecursively();
    }

    void updateThenReconnect_data() {
        QTest::addColumn<QString>("lensAfter");
        QTest::addRow("new version") << "new";
        QTest::addRow("old version stays") << "old";
        QTest::addRow("lens does not come back") << "gone";
    }

    void updateThenReconnect() {
        QFETCH(QString, lensAfter);
        sim::UpdateServer server;
        QString error;
        QVERIFY2(server.start(0, &error), qPrintable(error));
        environment->setHttpClient(std::make_shared<QtHttpClient>());
        environment->setUpdateBaseUrl(server.baseUrl());
        const sim::LensProfile profile = preset("zoom-e");
        const sim::LensFirmware firmware(profile);
        server.addLens(profile);
        if (lensAfter == QLatin1String("old")) // an image without the version mark installs as is
            server.setDocument(sim::UpdateServer::packagePath(profile),
                               sim::FirmwarePackage::build({{0, 0, 0x0200, QByteArray(4096, 'k')}},
                                                           firmware.descriptionKey()));
        QVERIFY(connectedTo(profile));
        QVERIFY(ended(Operation::FirmwareCheck, Outcome::Done));
        app->startFirmwareUpdate();
        QVERIFY(answer("Firmware_UpdateConfirm"));
        QTRY_COMPARE_WITH_TIMEOUT(app->download_state(), int(UpdateState::Complete), 30000);
        QVERIFY(ended(Operation::FirmwareUpdate, Outcome::Done));
        QCOMPARE(SettingsBackup::reasonOf(app->lastBackup()),
                 SettingsBackup::Reason::FirmwareUpdate);
        if (lensAfter == QLatin1String("gone"))
            lens->unplug(0);

        app->reconnectAfterUpdate();
        if (lensAfter == QLatin1String("new")) {
            QVERIFY(ended(Operation::FirmwareReconnect, Outcome::Done));
            QCOMPARE(app->installed_version(), firmware.version());
        } else if (lensAfter == QLatin1String("old")) {
            QVERIFY(answer("Firmware_UpdateNotApplied"));
            QVERIFY(ended(Operation::FirmwareReconnect, Outcome::Failed,
                          "Firmware_UpdateNotApplied", {"01.02"}));
            QCOMPARE(app->installed_version(), "01.02");
        } else {
            QVERIFY(answer("Firmware_LensNotBack"));
            QVERIFY(ended(Operation::FirmwareReconnect, Outcome::Failed, "Firmware_LensNotBack"));
            QTRY_COMPARE(app->connectState(), NOT_CONNECT);
            QVERIFY(app->installed_version().isEmpty());
            return;
        }
        QVERIFY(!app->reconnecting());
        QCOMPARE(app->selectedMenu(), FIRMWARE_INFO);
        // Connected again, the completion page's OK leaves the lens connected.
        app->finishFirmwareUpdate();
        QCOMPARE(app->download_state(), int(UpdateState::Idle));
        QCOMPARE(app->connectState(), CONNECT_COMPLETE);
    }

    void disconnectOnRequest() {
        QVERIFY(connectedTo());
        app->disconnectLens();
        QVERIFY(answer("Header_LensRemovalConfirm", false));
        QVERIFY(ended(Operation::Disconnect, Outcome::AnsweredNo));
        QCOMPARE(lens->framesReceived(0xF9), 0);
        app->disconnectLens();
        QVERIFY(answer("Header_LensRemovalConfirm", true));
        QVERIFY(ended(Operation::Disconnect, Outcome::Done));
        QTRY_COMPARE(app->connectState(), NOT_CONNECT);
        QCOMPARE(lens->framesReceived(0xF9), 1);
        QVERIFY(!LensClient::transport().isPortOpen());
    }
};

QTEST_GUILESS_MAIN(TestController)
#include "tst_controller.moc"
