// Whole flows through the window against the virtual lens.
#include "CloseGuard.h"
#include "DiagnosticCapture.h"
#include "MainWindow.h"
#include "VirtualLens.h"
#include "SceneRects.h"
#include "WindowHarness.h"

#include "controller/AppViewModel.h"
#include "controller/ConnectState.h"
#include "controller/MenuId.h"
#include "link/LensClient.h"
#include "link/UsbSerialInterface.h"
#include "model/BasicInfoViewModel.h"
#include "model/ButtonFunc.h"
#include "model/ButtonItemModel.h"
#include "model/LensSettingViewModel.h"
#include "platform/SleepMonitor.h"
#include "platform/Texts.h"
#include "ui/MessageViewModel.h"

#include <QFileInfo>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <memory>
#include <optional>

using namespace kelvara;

namespace {

constexpr quint8 DISCONNECT = 0xF9;
constexpr int TRANSFER_TIMEOUT_MS = 30000;
} // namespace

class ShellTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QVERIFY(userFiles_.isValid());
        WindowHarness::isolateUserFiles(userFiles_.path());
    }

    void cleanup() { ui_.reset(); }

    void firmwareUpdateThroughTheWindow_data() { WindowHarness::addLanguageRows(); }

    void firmwareUpdateThroughTheWindow() {
        QFETCH(QLocale::Language, language);
        QVERIFY(start({}, language, false));
        AppViewModel& vm = ui_->vm();
        QVERIFY(ui_->toSmallest());
        QTRY_COMPARE(ui_->pageName(), QStringLiteral("firmwarePage"));
        QVERIFY(shown(QStringLiteral("firmwareInfo")) && shown(QStringLiteral("firmwareContent")));
        QVERIFY(text(QStringLiteral("firmwareCurrent"))
                    .endsWith(QStringLiteral(":Ver. ") + vm.basic_info()->displayCurrentVersion()));
        // The update needs the package named by the catalogue, read after the connection.
        QTRY_VERIFY(vm.basic_info()->displayNewVersion() != QLatin1String("--"));
        QCOMPARE(shown(QStringLiteral("firmwareUpdateExists")), vm.basic_info()->is_new());
        ui_->picture(QStringLiteral("firmwarePage"));

        // At every step of the transfer: the progress bar's value; early on a picture, half
        // way an attempt to close the window, which must be refused.
        QList<double> bar;
        bool pictured = false, closeAttempted = false, updatingWhenAttempted = false;
        connect(&vm, &AppViewModel::download_progressChanged, this, [&] {
            if (!ui_->item(QStringLiteral("firmwareProgressBar")) || vm.download_state() != 1)
                return;
            bar << ui_->property(QStringLiteral("firmwareProgressBar"), "value").toDouble();
            if (bar.last() > 0.2 && !pictured) {
                pictured = true;
                ui_->picture(QStringLiteral("firmwareProgress"));
            }
            if (bar.last() > 0.5 && !closeAttempted) {
                closeAttempted = true;
                updatingWhenAttempted = LensClient::transport().firmwareUpdating;
                ui_->window()->close();
            }
        });
        const QStringList chrome{QStringLiteral("sideMenu"), QStringLiteral("lensRemoval"),
                                 QStringLiteral("firmwareInfo")};
        click(QStringLiteral("firmwareUpdateStart"));
        ui_->answer("Firmware_UpdateConfirm", QStringLiteral("messageYes"));
        QTRY_VERIFY(vm.download_state() != 0);
        QCOMPARE(ui_->shownAmong(chrome), QStringList());

        QTRY_COMPARE_WITH_TIMEOUT(vm.download_state(), 2, TRANSFER_TIMEOUT_MS);
        QVERIFY2(pictured, "the progress view was never seen");
        QVERIFY(closeAttempted && updatingWhenAttempted);
        QVERIFY(ui_->window()->isVisible());
        QTRY_VERIFY(message().show_message());
        QCOMPARE(message().message(), qtTrId("Common_UpdatingCannotEnd"));
        // Asked again while a message is on screen: refused without another message.
        ui_->window()->close();
        QVERIFY(ui_->window()->isVisible());
        click(QStringLiteral("messageOk"));
        QTest::qWait(200);
        QVERIFY(!message().show_message());

        QTRY_VERIFY(shown(QStringLiteral("firmwareComplete")));
        QVERIFY(!shown(QStringLiteral("firmwareProgress")));
        ui_->picture(QStringLiteral("firmwareComplete"));
        // The bar rose with the transfer and never went back.
        QVERIFY2(bar.size() >= 3, qPrintable(QString::number(bar.size())));
        QVERIFY(std::is_sorted(bar.cbegin(), bar.cend()));
        QVERIFY(std::count_if(bar.cbegin(), bar.cend(), [](double v) { return v > 0 && v < 1; }) >= 2);
        QVERIFY(!ui_->lens().installedImages().isEmpty());

        // Connected again, the page shows the version the lens now runs; OK keeps the lens.
        QVERIFY(!shown(QStringLiteral("firmwareInstalled")));
        click(QStringLiteral("firmwareReconnect"));
        QTRY_VERIFY_WITH_TIMEOUT(shown(QStringLiteral("firmwareInstalled")), 10000);
        QVERIFY(!shown(QStringLiteral("firmwareReconnect")));
        QCOMPARE(text(QStringLiteral("firmwareInstalled")),
                 qtTrId("Firmware_Current") + QStringLiteral(":Ver. ") + vm.installed_version());
        QVERIFY(vm.installed_version() != QStringLiteral("01.02"));
        ui_->picture(QStringLiteral("firmwareReconnected"));
        click(QStringLiteral("firmwareFinish"));
        QTRY_VERIFY(shown(QStringLiteral("firmwareInfo")));
        QCOMPARE(vm.connect_state(), int(CONNECT_COMPLETE));
        QCOMPARE(vm.download_state(), 0);
        QVERIFY(shown(QStringLiteral("sideMenu")));
    }

    void safeModeLensUpdatesAtConnection() {
        QVERIFY(start(QStringLiteral("safe-mode")));
        AppViewModel& vm = ui_->vm();
        click(QStringLiteral("connectCustomize"));
        QTRY_VERIFY_WITH_TIMEOUT(message().show_message(), 10000);
        QCOMPARE(message().message(), qtTrId("Common_UpdateConfirm"));
        QVERIFY(vm.is_safemode());
        QVERIFY(!shown(QStringLiteral("sideMenu")));
        // Before the transfer starts, nothing holds the window open.
        QVERIFY(CloseGuard::mayClose(vm, LensClient::transport()));
        click(QStringLiteral("messageOk"));
        QTRY_COMPARE(ui_->pageName(), QStringLiteral("firmwarePage"));
        QTRY_VERIFY(shown(QStringLiteral("firmwareProgress")) || vm.download_state() == 2);
        QTRY_COMPARE_WITH_TIMEOUT(vm.download_state(), 2, TRANSFER_TIMEOUT_MS);
        QVERIFY(!ui_->lens().installedImages().isEmpty());
        click(QStringLiteral("firmwareFinish"));
        QTRY_COMPARE(ui_->pageName(), QStringLiteral("connectPage"));
        QVERIFY(shown(QStringLiteral("sideMenu")));
    }

    void cameraBodyLensIsSentBackToConnect() {
        QVERIFY(start(QStringLiteral("on-body"), QLocale::English, false));
        AppViewModel& vm = ui_->vm();
        QVERIFY(vm.isConnectBody());
        QTRY_COMPARE(ui_->pageName(), QStringLiteral("firmwarePage"));
        click(QStringLiteral("firmwareUpdateStart"));
        ui_->answer("Firmware_CameraConnectFirmupErrorMessage", QStringLiteral("messageNo"));
        QCOMPARE(vm.connect_state(), int(CONNECT_COMPLETE));
        QCOMPARE(ui_->pageName(), QStringLiteral("firmwarePage"));

        click(QStringLiteral("firmwareUpdateStart"));
        ui_->answer("Firmware_CameraConnectFirmupErrorMessage", QStringLiteral("messageYes"));
        QTRY_COMPARE(ui_->pageName(), QStringLiteral("connectPage"));
        QCOMPARE(vm.connect_state(), int(NOT_CONNECT));
        QCOMPARE(vm.download_state(), 0);
        QTRY_VERIFY(!LensClient::transport().isPortOpen());
        QVERIFY(ui_->lens().installedImages().isEmpty());
    }

    void settingsFileRoundTripThroughThePanels() {
        QVERIFY(start({}, QLocale::English, true));
        QTemporaryDir files;
        QVERIFY(files.isValid());
        const QString file = files.filePath(QStringLiteral("zoom.vdat"));
        int answered = 0;
        ui_->answerDialog(file, &answered);
        const QByteArray before = ui_->lens().settingsImage();
        click(QStringLiteral("exportSettings"));
        ui_->answer("Home_SettingOutputEnd", QStringLiteral("messageOk"));
        QCOMPARE(answered, 1);
        QCOMPARE(QFileInfo(file).size(), 530);

        // Changed on the lens, then brought back from the file.
        LensSettingViewModel& settings = *ui_->vm().lens_setting();
        settings.setDirection(settings.direction() == 1 ? 0 : 1);
        QTRY_VERIFY(ui_->lens().settingsImage() != before);
        ui_->answerDialog(file, &answered);
        click(QStringLiteral("importSettings"));
        ui_->answer("Home_SettingInputEnd", QStringLiteral("messageOk"));
        QCOMPARE(answered, 2);
        QTRY_COMPARE(ui_->lens().settingsImage(), before);
        QCOMPARE(ui_->pageName(), QStringLiteral("homePage"));
    }

    // Every virtual lens restarts to apply its firmware, so losing it means waiting for it to
    // come back rather than a message: the window polls and picks the lens up again.
    void unplugOfARestartingLensWaitsForIt() {
        QVERIFY(start({}, QLocale::English, true));
        AppViewModel& vm = ui_->vm();
        QVERIFY(vm.basic_info()->firmwareType() & BasicInfoViewModel::FM_APPLY_TIMING);
        test::DiagnosticCapture log;
        ui_->lens().unplug();
        QTRY_VERIFY_WITH_TIMEOUT(vm.isAutoConnecting(), 5000);
        QVERIFY(log.count(QStringLiteral("detect detach.")) > 0);
        QVERIFY(!message().show_message());
        QCOMPARE(vm.connect_state(), int(CONNECT_COMPLETE));
        QCOMPARE(ui_->pageName(), QStringLiteral("homePage"));

        QVERIFY(ui_->lens().plug());
        QTRY_VERIFY_WITH_TIMEOUT(!vm.isAutoConnecting(), 5000);
        QVERIFY(LensClient::transport().isPortOpen());
        QVERIFY(!message().show_message());
        QCOMPARE(ui_->pageName(), QStringLiteral("homePage"));
        QCOMPARE(text(QStringLiteral("headerLens")), vm.basic_info()->productName());
    }

    void sleepTellsTheLensAndWakeDoesNot() {
        QVERIFY(start({}, QLocale::English, true));
        test::DiagnosticCapture log;
        QTime now(9, 5, 7);
        SleepMonitor monitor([&now] { return now; });
        connect(&monitor, &SleepMonitor::goingToSleep, &ui_->vm(), &AppViewModel::hostGoingToSleep);
        const int before = ui_->lens().framesReceived(DISCONNECT);
        monitor.receiveSleepNote();
        QVERIFY(log.count(QStringLiteral("go to sleep,9:5:7")) > 0);
        QCOMPARE((QList<int>{monitor.hour(), monitor.minute(), monitor.second()}), (QList<int>{9, 5, 7}));
        QTRY_COMPARE(ui_->lens().framesReceived(DISCONNECT), before + 1);

        now = QTime(21, 30, 0);
        monitor.receiveWakeNote();
        QVERIFY(log.count(QStringLiteral("wake up,21:30:0")) > 0);
        QCOMPARE((QList<int>{monitor.hour(), monitor.minute(), monitor.second()}), (QList<int>{21, 30, 0}));
        // Nothing goes to the lens at wake; the window carries on as it was.
        QTest::qWait(300);
        QCOMPARE(ui_->lens().framesReceived(DISCONNECT), before + 1);
        QCOMPARE(ui_->pageName(), QStringLiteral("homePage"));
    }

    void messageBoxLayouts_data() { WindowHarness::addLanguageRows(); }

    // Each kind of message at the smallest window: the buttons it offers, what answers it,
    // and that its card fits the window.
    void messageBoxLayouts() {
        QFETCH(QLocale::Language, language);
        QVERIFY(start({}, language, true));
        QVERIFY(ui_->toSmallest());
        const QStringList parts{QStringLiteral("messageTitle"), QStringLiteral("messageControl"),
                                QStringLiteral("messagePair1"), QStringLiteral("messagePair2"),
                                QStringLiteral("messagePair3"), QStringLiteral("messagePair4"),
                                QStringLiteral("messageOk"), QStringLiteral("messageYes"),
                                QStringLiteral("messageNo")};
        // The box is made when the first message shows; its card always fits the window.
        const auto showing = [&](const QString& picture) {
            [&] {
                QTRY_VERIFY(message().show_message() && ui_->item(QStringLiteral("messageCard")));
                ui_->waitForFrame();
                QVERIFY(QRectF(QPointF(), ui_->window()->size())
                            .contains(sceneRect(ui_->item(QStringLiteral("messageCard")))));
                if (!picture.isEmpty())
                    ui_->picture(picture);
            }();
            return ui_->shownAmong(parts);
        };
        const auto closed = [&] { QTRY_VERIFY(!message().show_message()); };

        // A message, answered with its only button.
        int oks = 0, yes = 0, no = 0;
        message().showMessage(QStringLiteral("Common_LensError"), [&oks] { ++oks; });
        QCOMPARE(showing({}), QStringList{QStringLiteral("messageOk")});
        QCOMPARE(text(QStringLiteral("messageText")), qtTrId("Common_LensError"));
        click(QStringLiteral("messageOk"));
        closed();

        // A question: No and Escape answer no, Return answers Yes.
        for (const Qt::Key key : {Qt::Key_unknown, Qt::Key_Escape, Qt::Key_Return}) {
            message().showConfirm(qtTrId("Header_LensRemovalConfirm"), [&yes] { ++yes; }, [&no] { ++no; });
            QCOMPARE(showing(key == Qt::Key_unknown ? QStringLiteral("message") : QString()), parts.mid(7));
            QCOMPARE(text(QStringLiteral("messageText")), qtTrId("Header_LensRemovalConfirm"));
            if (key == Qt::Key_unknown)
                click(QStringLiteral("messageNo"));
            else
                QTest::keyClick(ui_->window(), key);
            closed();
        }
        QCOMPARE((QList<int>{oks, yes, no}), (QList<int>{1, 1, 2}));

        // A tooltip with two pairs, then one with three.
        message().showTooltip(qtTrId("Home_RingDirectionSetting"), qtTrId("RingSetting_RingDirectionExplanation"),
                              qtTrId("RingSetting_RingDirectionDefault"), qtTrId("RingSetting_RingDirectionReverse"),
                              qtTrId("RingSetting_RingDirectionExplanationDescription1"),
                              qtTrId("RingSetting_RingDirectionExplanationDescription2"));
        QCOMPARE(showing(QStringLiteral("messageTooltip")),
                 (QStringList{parts[0], parts[2], parts[3], parts[6]}));
        QCOMPARE(text(QStringLiteral("messageTitle")), qtTrId("Home_RingDirectionSetting"));
        QTest::keyClick(ui_->window(), Qt::Key_Return);
        closed();
        message().showTooltip(qtTrId("Home_RingResponseSetting"), qtTrId("RingSetting_RingResponseExplanation"),
                              qtTrId("RingSetting_RingResponseNonLinear"), qtTrId("RingSetting_RingResponseLinear"),
                              qtTrId("Home_RingAngleSetting"),
                              qtTrId("RingSetting_RingResponseExplanationDescription1"),
                              qtTrId("RingSetting_RingResponseExplanationDescription2"),
                              qtTrId("RingSetting_RingResponseExplanationDescription2_AngleNotSupport"));
        QCOMPARE(showing({}), (QStringList{parts[0], parts[2], parts[3], parts[4], parts[6]}));
        click(QStringLiteral("messageOk"));
        closed();

        // One custom-button function on switch position 1, with a pair for each operation
        // the lens supports.
        const ButtonItemModel& buttons = *ui_->vm().button_item();
        const int func = AFLIMIT_CLICK;
        message().showButtonFunctionTooltip(1, func);
        QStringList expected{parts[1]};
        if (!buttons.afLimitClickLabel(func).isEmpty())
            expected << parts[2];
        if (!buttons.firstOperationLabel(func).isEmpty())
            expected << parts[4];
        showing(QStringLiteral("messageButtonFunction"));
        QCOMPARE(ui_->shownAmong({parts[1], parts[2], parts[4]}), expected);
        click(QStringLiteral("messageOk"));
        closed();

        // A text longer than the window scrolls inside the box; the button stays reachable.
        QString longText;
        for (int i = 0; i < 12; ++i)
            longText += qtTrId("VersionInfo_PersonalInformation_Contents") + QLatin1Char('\n');
        message().showMessage(longText, [&oks] { ++oks; });
        showing(QStringLiteral("messageLong"));
        QQuickItem* scroll = ui_->item(QStringLiteral("messageScroll"));
        QTRY_VERIFY(scroll->property("contentHeight").toDouble() > scroll->height());
        click(QStringLiteral("messageOk"));
        QTRY_COMPARE(oks, 2);
    }

    void versionPageDocuments_data() { WindowHarness::addLanguageRows(); }

    void versionPageDocuments() {
        QFETCH(QLocale::Language, language);
        QVERIFY(start({}, language));
        QVERIFY(ui_->toSmallest());
        click(QStringLiteral("menu_Menu_VersionInfo"));
        QTRY_COMPARE(ui_->pageName(), QStringLiteral("versionPage"));
        QCOMPARE(text(QStringLiteral("versionRights")).count(QLatin1Char('\n')), 1);
        QTRY_COMPARE(shown(QStringLiteral("versionDownload")), ui_->vm().is_new());
        // The back button or Escape leaves a document.
        const struct {
            const char* entry;
            const char* contents;
            bool link;
            bool escape;
        } documents[] = {{"versionLicense", "VersionInfo_License_Contents", false, false},
                         {"versionPersonalInformation", "VersionInfo_PersonalInformation_Contents", true, true}};
        for (const auto& document : documents) {
            click(QLatin1String(document.entry));
            QTRY_VERIFY(shown(QStringLiteral("versionDocument")));
            QVERIFY(!shown(QStringLiteral("versionAbout")));
            QCOMPARE(text(QStringLiteral("versionDocumentText")), qtTrId(document.contents));
            QCOMPARE(shown(QStringLiteral("versionPersonalInformationLink")), document.link);
            ui_->picture(QLatin1String(document.entry));
            if (document.escape)
                QTest::keyClick(ui_->window(), Qt::Key_Escape);
            else
                click(QStringLiteral("versionBack"));
            QTRY_VERIFY(shown(QStringLiteral("versionAbout")));
        }
    }

    // A new language reaches the controller's texts by themselves and the pages' own at the
    // engine's retranslation.
    void languageChangeReachesEveryText() {
        QVERIFY(start({}, QLocale::English, true));
        ui_->showPage(RING_SETTING, "ringSettingPage");
        QVERIFY(!QTest::currentTestFailed());
        const QStringList names{QStringLiteral("valueDirection"), QStringLiteral("lensRemoval")};
        const auto texts = [&] { return QStringList{text(names[0]), text(names[1])}; };
        const QStringList english = texts();
        QCOMPARE(english, (QStringList{ui_->vm().ringDirectionText(), qtTrId("Header_LensRemoval")}));

        QCOMPARE(Texts::install(QLocale(QLocale::Japanese)), QStringLiteral("ja"));
        QTRY_COMPARE(text(names[0]), ui_->vm().ringDirectionText());
        ui_->shell().engine().retranslate();
        QTRY_COMPARE(texts(), (QStringList{ui_->vm().ringDirectionText(), qtTrId("Header_LensRemoval")}));
        QVERIFY(texts()[0] != english[0] && texts()[1] != english[1]);
    }

  private:
    // A window on the preset, connected when asked.
    bool start(const QString& preset, QLocale::Language language = QLocale::English,
               std::optional<bool> connectForCustomizing = std::nullopt) {
        return WindowHarness::restart(&ui_, {.preset = preset, .language = language}) &&
               (!connectForCustomizing || ui_->connect(*connectForCustomizing));
    }
    bool shown(const QString& name) const { return ui_->shown(name); }
    QString text(const QString& name) const { return ui_->text(name); }
    void click(const QString& name) { ui_->clickWhenShown(name); }
    MessageViewModel& message() const { return *ui_->vm().message(); }

    QTemporaryDir userFiles_;
    std::unique_ptr<WindowHarness> ui_;
};

QTEST_MAIN(ShellTest)
#include "tst_shell.moc"
