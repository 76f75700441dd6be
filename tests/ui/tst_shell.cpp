// Whole flows through the window against the virtual lens: the firmware update and its
// progress, the safe-mode and camera-body lenses, settings files through the panels,
// reset, unplugging, the quit command, sleep and wake, and the message box's layouts.
#include "CloseGuard.h"
#include "MainWindow.h"
#include "QuickFileDialogs.h"
#include "VirtualLens.h"
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
#include "platform/Environment.h"
#include "platform/SleepMonitor.h"
#include "platform/Texts.h"
#include "ui/MessageViewModel.h"

#include <QFile>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <memory>
#include <mutex>

using namespace kelvara;

namespace {

constexpr quint8 DISCONNECT = 0xF9;
constexpr int TRANSFER_TIMEOUT_MS = 30000;

// Diagnostic lines, which arrive from any thread.
class Log {
  public:
    Diagnostics::Sink sink() {
        return [this](const QString& line) {
            std::lock_guard lock(mutex_);
            lines_ << line;
        };
    }
    bool contains(const QString& line) const {
        std::lock_guard lock(mutex_);
        return lines_.contains(line);
    }
    int count(const QString& line) const {
        std::lock_guard lock(mutex_);
        return int(lines_.count(line));
    }

  private:
    mutable std::mutex mutex_;
    QStringList lines_;
};

} // namespace

class ShellTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void cleanup();

    void firmwareUpdateThroughTheWindow_data();
    void firmwareUpdateThroughTheWindow();
    void safeModeLensUpdatesAtConnection();
    void cameraBodyLensIsSentBackToConnect();
    void settingsFileRoundTripThroughThePanels();
    void resetRestoresTheFactoryImage();
    void unplugOfARestartingLensWaitsForIt();
    void quitCommandFollowsTheClosingRule();
    void sleepTellsTheLensAndWakeDoesNot();
    void messageBoxLayouts_data();
    void messageBoxLayouts();
    void versionPageDocuments_data();
    void versionPageDocuments();
    void languageChangeReachesEveryText();

  private:
    bool start(const QString& preset, QLocale::Language language = QLocale::English);
    QQuickItem* item(const QString& name) const { return ui_->item(name); }
    bool shown(const QString& name) const { return ui_->shown(name); }
    // Presses the item once it shows and the window has laid it out.
    void click(const QString& name);
    QString text(const QString& name) const {
        QQuickItem* found = item(name);
        return found ? found->property("text").toString() : QString();
    }
    MessageViewModel& message() const { return *ui_->vm().message(); }
    // Waits for the question or message with that text and answers it with `button`.
    void answer(const char* id, const QString& button);
    // Answers the save or open panel with `file` once the window has asked for it.
    void answerPanels(const QString& file);

    QTemporaryDir userFiles_;
    Log log_;
    std::unique_ptr<WindowHarness> ui_;
    int panelRequests_ = 0;
};

void ShellTest::initTestCase() {
    QVERIFY(userFiles_.isValid());
    WindowHarness::isolateUserFiles(userFiles_.path());
}

void ShellTest::cleanup() { ui_.reset(); }

bool ShellTest::start(const QString& preset, QLocale::Language language) {
    ui_.reset();
    ui_ = std::make_unique<WindowHarness>();
    ui_->environment().setDiagnosticSink(log_.sink());
    WindowHarness::Options options;
    options.preset = preset;
    options.language = language;
    QString error;
    if (!ui_->start(options, &error)) {
        qWarning("%s", qPrintable(error));
        return false;
    }
    return true;
}

void ShellTest::click(const QString& name) {
    QTRY_VERIFY2(shown(name), qPrintable(name));
    ui_->waitForFrame();
    if (!QTest::currentTestFailed())
        ui_->click(name);
}

void ShellTest::answer(const char* id, const QString& button) {
    QTRY_VERIFY_WITH_TIMEOUT(message().show_message() && message().message() == qtTrId(id), 10000);
    click(button);
    QTRY_VERIFY(!message().show_message() || message().message() != qtTrId(id));
}

void ShellTest::answerPanels(const QString& file) {
    QuickFileDialogs* dialogs = &ui_->shell().fileDialogs();
    auto answerLater = [this, dialogs, file] {
        ++panelRequests_;
        // After the window has opened its dialog (made at the first request), as a user's
        // choice would.
        QTimer::singleShot(0, dialogs, [this, dialogs, file] {
            QQuickItem* requests = item(QStringLiteral("fileRequests"));
            QObject* fileDialog =
                requests ? requests->findChild<QObject*>(QStringLiteral("fileDialog")) : nullptr;
            QVERIFY2(fileDialog && fileDialog->property("visible").toBool(),
                     "the window showed no file dialog");
            dialogs->finish(QUrl::fromLocalFile(file));
            QMetaObject::invokeMethod(fileDialog, "close");
        });
    };
    connect(dialogs, &QuickFileDialogs::saveRequested, dialogs, answerLater);
    connect(dialogs, &QuickFileDialogs::openRequested, dialogs, answerLater);
}

void ShellTest::firmwareUpdateThroughTheWindow_data() {
    WindowHarness::addLanguageRows();
}

void ShellTest::firmwareUpdateThroughTheWindow() {
    QFETCH(QLocale::Language, language);
    QVERIFY(start({}, language));
    AppViewModel& vm = ui_->vm();
    ui_->connect(false);
    QVERIFY(!QTest::currentTestFailed());
    QVERIFY(ui_->toSmallest());
    QTRY_COMPARE(ui_->pageName(), QStringLiteral("firmwarePage"));
    QVERIFY(shown(QStringLiteral("firmwareInfo")));
    QVERIFY(text(QStringLiteral("firmwareCurrent"))
                .endsWith(QStringLiteral(":Ver. ") + vm.basic_info()->displayCurrentVersion()));
    QVERIFY(shown(QStringLiteral("firmwareContent")));
    QTRY_COMPARE(shown(QStringLiteral("firmwareUpdateExists")), vm.basic_info()->is_new());
    ui_->picture(QStringLiteral("firmwarePage"));

    // At every step of the transfer: the progress bar's value; early on a picture, half
    // way an attempt to close the window, which must be refused.
    QList<double> bar;
    bool pictured = false;
    bool closeAttempted = false;
    bool updatingWhenAttempted = false;
    connect(&vm, &AppViewModel::download_progressChanged, this, [&] {
        QQuickItem* progressBar = item(QStringLiteral("firmwareProgressBar"));
        if (!progressBar || vm.download_state() != 1)
            return;
        const double value = progressBar->property("value").toDouble();
        bar << value;
        if (value > 0.2 && !pictured) {
            pictured = true;
            ui_->picture(QStringLiteral("firmwareProgress"));
        }
        if (value > 0.5 && !closeAttempted) {
            closeAttempted = true;
            updatingWhenAttempted = LensClient::transport().firmwareUpdating;
            ui_->window()->close();
        }
    });

    click(QStringLiteral("firmwareUpdateStart"));
    answer("Firmware_UpdateConfirm", QStringLiteral("messageYes"));
    QTRY_VERIFY(vm.download_state() != 0);
    QVERIFY(!shown(QStringLiteral("sideMenu")));
    QVERIFY(!shown(QStringLiteral("lensRemoval")));
    QVERIFY(!shown(QStringLiteral("firmwareInfo")));

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

    click(QStringLiteral("firmwareFinish"));
    QTRY_COMPARE(ui_->pageName(), QStringLiteral("connectPage"));
    QCOMPARE(vm.connect_state(), int(NOT_CONNECT));
    QCOMPARE(vm.download_state(), 0);
    QVERIFY(shown(QStringLiteral("sideMenu")));
    QVERIFY(shown(QStringLiteral("menu_Menu_Connect")));
    QVERIFY(!shown(QStringLiteral("menu_Menu_FirmwareInfo")));
}

void ShellTest::safeModeLensUpdatesAtConnection() {
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

void ShellTest::cameraBodyLensIsSentBackToConnect() {
    QVERIFY(start(QStringLiteral("on-body")));
    AppViewModel& vm = ui_->vm();
    ui_->connect(false);
    QVERIFY(!QTest::currentTestFailed());
    QVERIFY(vm.isConnectBody());
    QTRY_COMPARE(ui_->pageName(), QStringLiteral("firmwarePage"));

    click(QStringLiteral("firmwareUpdateStart"));
    answer("Firmware_CameraConnectFirmupErrorMessage", QStringLiteral("messageNo"));
    QCOMPARE(vm.connect_state(), int(CONNECT_COMPLETE));
    QCOMPARE(ui_->pageName(), QStringLiteral("firmwarePage"));

    click(QStringLiteral("firmwareUpdateStart"));
    answer("Firmware_CameraConnectFirmupErrorMessage", QStringLiteral("messageYes"));
    QTRY_COMPARE(ui_->pageName(), QStringLiteral("connectPage"));
    QCOMPARE(vm.connect_state(), int(NOT_CONNECT));
    QCOMPARE(vm.download_state(), 0);
    QTRY_VERIFY(!LensClient::transport().isPortOpen());
    QVERIFY(ui_->lens().installedImages().isEmpty());
}

void ShellTest::settingsFileRoundTripThroughThePanels() {
    QVERIFY(start({}));
    AppViewModel& vm = ui_->vm();
    ui_->connect(true);
    QVERIFY(!QTest::currentTestFailed());
    QTemporaryDir files;
    QVERIFY(files.isValid());
    const QString file = files.filePath(QStringLiteral("zoom.vdat"));
    answerPanels(file);
    const QByteArray before = ui_->lens().settingsImage();

    click(QStringLiteral("exportSettings"));
    answer("Home_SettingOutputEnd", QStringLiteral("messageOk"));
    QCOMPARE(panelRequests_, 1);
    QCOMPARE(QFileInfo(file).size(), 530);

    // Changed on the lens, then brought back from the file.
    vm.lens_setting()->setDirection(vm.lens_setting()->direction() == 1 ? 0 : 1);
    QTRY_VERIFY(ui_->lens().settingsImage() != before);
    click(QStringLiteral("importSettings"));
    answer("Home_SettingInputEnd", QStringLiteral("messageOk"));
    QCOMPARE(panelRequests_, 2);
    QTRY_COMPARE(ui_->lens().settingsImage(), before);
    QCOMPARE(ui_->pageName(), QStringLiteral("homePage"));
}

void ShellTest::resetRestoresTheFactoryImage() {
    QVERIFY(start({}));
    AppViewModel& vm = ui_->vm();
    ui_->connect(true);
    QVERIFY(!QTest::currentTestFailed());
    const QByteArray factory = ui_->lens().profile().factorySettings;
    vm.lens_setting()->setDirection(vm.lens_setting()->direction() == 1 ? 0 : 1);
    QTRY_VERIFY(ui_->lens().settingsImage() != factory);

    click(QStringLiteral("resetSettings"));
    answer("Home_SettingReturnQuestion", QStringLiteral("messageNo"));
    QVERIFY(ui_->lens().settingsImage() != factory);
    click(QStringLiteral("resetSettings"));
    answer("Home_SettingReturnQuestion", QStringLiteral("messageYes"));
    answer("Home_SettingReturnEnd", QStringLiteral("messageOk"));
    QCOMPARE(ui_->lens().settingsImage(), factory);
}

// Every virtual lens restarts to apply its firmware, so losing it means waiting for it to
// come back rather than a message: the window polls and picks the lens up again.
void ShellTest::unplugOfARestartingLensWaitsForIt() {
    QVERIFY(start({}));
    AppViewModel& vm = ui_->vm();
    ui_->connect(true);
    QVERIFY(!QTest::currentTestFailed());
    QVERIFY(vm.basic_info()->firmwareType() & BasicInfoViewModel::FM_APPLY_TIMING);
    ui_->lens().unplug();
    QTRY_VERIFY_WITH_TIMEOUT(vm.isAutoConnecting(), 5000);
    QVERIFY(log_.contains(QStringLiteral("detect detach.")));
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

void ShellTest::quitCommandFollowsTheClosingRule() {
    QVERIFY(start({}));
    ui_->connect(true);
    QVERIFY(!QTest::currentTestFailed());
    const QString line = QStringLiteral("will close");
    const int logged = log_.count(line);
    // Shortcuts reach the window that has the keyboard.
    ui_->window()->requestActivate();
    QVERIFY(QTest::qWaitForWindowActive(ui_->window()));

    // Ctrl+Q with a lens connected for customisation: refused, and said why.
    QTest::keyClick(ui_->window(), Qt::Key_Q, Qt::ControlModifier);
    QTRY_VERIFY(message().show_message());
    QCOMPARE(message().message(), qtTrId("Common_AppEndError"));
    QVERIFY(ui_->window()->isVisible());
    QVERIFY(LensClient::transport().isPortOpen());
    QCOMPARE(log_.count(line), logged + 1);
    click(QStringLiteral("messageOk"));
    QTRY_VERIFY(!message().show_message());

    // Once the lens is let go, the same command ends the program and closes the port.
    click(QStringLiteral("lensRemoval"));
    answer("Header_LensRemovalConfirm", QStringLiteral("messageYes"));
    QTRY_COMPARE_WITH_TIMEOUT(ui_->vm().connect_state(), int(NOT_CONNECT), 5000);
    QTest::keyClick(ui_->window(), Qt::Key_Q, Qt::ControlModifier);
    QTRY_VERIFY(!ui_->window()->isVisible());
    QVERIFY(!LensClient::transport().isPortOpen());
    QVERIFY(!message().show_message());
    QCOMPARE(log_.count(line), logged + 2);
}

void ShellTest::sleepTellsTheLensAndWakeDoesNot() {
    QVERIFY(start({}));
    ui_->connect(true);
    QVERIFY(!QTest::currentTestFailed());
    QTime now(9, 5, 7);
    SleepMonitor monitor([&now] { return now; });
    connect(&monitor, &SleepMonitor::goingToSleep, &ui_->vm(), &AppViewModel::hostGoingToSleep);
    const int before = ui_->lens().framesReceived(DISCONNECT);

    monitor.receiveSleepNote();
    QVERIFY(log_.contains(QStringLiteral("go to sleep,9:5:7")));
    QCOMPARE(monitor.hour(), 9);
    QCOMPARE(monitor.minute(), 5);
    QCOMPARE(monitor.second(), 7);
    QTRY_COMPARE(ui_->lens().framesReceived(DISCONNECT), before + 1);

    now = QTime(21, 30, 0);
    monitor.receiveWakeNote();
    QVERIFY(log_.contains(QStringLiteral("wake up,21:30:0")));
    QCOMPARE(monitor.hour(), 21);
    QCOMPARE(monitor.second(), 0);
    // Nothing goes to the lens at wake; the window carries on as it was.
    QTest::qWait(300);
    QCOMPARE(ui_->lens().framesReceived(DISCONNECT), before + 1);
    QCOMPARE(ui_->pageName(), QStringLiteral("homePage"));
}

void ShellTest::messageBoxLayouts_data() {
    WindowHarness::addLanguageRows();
}

void ShellTest::messageBoxLayouts() {
    QFETCH(QLocale::Language, language);
    QVERIFY(start({}, language));
    ui_->connect(true);
    QVERIFY(!QTest::currentTestFailed());
    QVERIFY(ui_->toSmallest());
    // The message box is made when the first message shows.
    auto fitsWindow = [&] {
        const QQuickItem* card = item(QStringLiteral("messageCard"));
        if (!card)
            return false;
        const QRectF area = card->mapRectToScene(QRectF(0, 0, card->width(), card->height()));
        return QRectF(QPointF(), ui_->window()->size()).contains(area);
    };

    // A question: Return answers Yes, Escape answers No.
    int yes = 0, no = 0;
    message().showConfirm(qtTrId("Header_LensRemovalConfirm"), [&yes] { ++yes; }, [&no] { ++no; });
    QTRY_VERIFY(shown(QStringLiteral("messageYes")));
    QVERIFY(!shown(QStringLiteral("messageTitle")));
    QCOMPARE(text(QStringLiteral("messageText")), qtTrId("Header_LensRemovalConfirm"));
    QTest::keyClick(ui_->window(), Qt::Key_Escape);
    QTRY_VERIFY(!message().show_message());
    QCOMPARE(no, 1);
    message().showConfirm(qtTrId("Firmware_UpdateConfirm"), [&yes] { ++yes; }, [&no] { ++no; });
    QTRY_VERIFY(shown(QStringLiteral("messageYes")));
    QTest::keyClick(ui_->window(), Qt::Key_Return);
    QTRY_VERIFY(!message().show_message());
    QCOMPARE(yes, 1);
    QCOMPARE(no, 1);

    // A tooltip with two pairs, then one with three.
    message().showTooltip(qtTrId("Home_RingDirectionSetting"), qtTrId("RingSetting_RingDirectionExplanation"),
                          qtTrId("RingSetting_RingDirectionDefault"), qtTrId("RingSetting_RingDirectionReverse"),
                          qtTrId("RingSetting_RingDirectionExplanationDescription1"),
                          qtTrId("RingSetting_RingDirectionExplanationDescription2"));
    QTRY_VERIFY(shown(QStringLiteral("messageTitle")));
    QCOMPARE(text(QStringLiteral("messageTitle")), qtTrId("Home_RingDirectionSetting"));
    QVERIFY(shown(QStringLiteral("messagePair1")));
    QVERIFY(shown(QStringLiteral("messagePair2")));
    QVERIFY(!shown(QStringLiteral("messagePair3")));
    QVERIFY(!shown(QStringLiteral("messageControl")));
    QVERIFY(shown(QStringLiteral("messageOk")));
    QVERIFY(fitsWindow());
    ui_->picture(QStringLiteral("messageTooltip"));
    QTest::keyClick(ui_->window(), Qt::Key_Return);
    QTRY_VERIFY(!message().show_message());

    message().showTooltip(qtTrId("Home_RingResponseSetting"), qtTrId("RingSetting_RingResponseExplanation"),
                          qtTrId("RingSetting_RingResponseNonLinear"), qtTrId("RingSetting_RingResponseLinear"),
                          qtTrId("Home_RingAngleSetting"),
                          qtTrId("RingSetting_RingResponseExplanationDescription1"),
                          qtTrId("RingSetting_RingResponseExplanationDescription2"),
                          qtTrId("RingSetting_RingResponseExplanationDescription2_AngleNotSupport"));
    QTRY_VERIFY(shown(QStringLiteral("messagePair3")));
    QVERIFY(!shown(QStringLiteral("messagePair4")));
    QVERIFY(fitsWindow());
    click(QStringLiteral("messageOk"));
    QTRY_VERIFY(!message().show_message());

    // One custom-button function on switch position 1: its texts come from the lens's
    // button model, with every operation the lens supports.
    const ButtonItemModel& buttons = *ui_->vm().button_item();
    const int func = AFLIMIT_CLICK;
    message().showButtonFunctionTooltip(1, func);
    QTRY_VERIFY(shown(QStringLiteral("messageControl")));
    QCOMPARE(text(QStringLiteral("messageControl")), qtTrId("Common_Custom1"));
    QCOMPARE(text(QStringLiteral("messageTitle")), buttons.functionLabel(func));
    QCOMPARE(text(QStringLiteral("messageText")), buttons.functionExplanation(func));
    QCOMPARE(shown(QStringLiteral("messagePair1")), !buttons.afLimitClickLabel(func).isEmpty());
    QCOMPARE(shown(QStringLiteral("messagePair3")), !buttons.firstOperationLabel(func).isEmpty());
    QVERIFY(!buttons.functionExplanation(func).isEmpty());
    QVERIFY(fitsWindow());
    ui_->picture(QStringLiteral("messageButtonFunction"));
    click(QStringLiteral("messageOk"));
    QTRY_VERIFY(!message().show_message());

    // A text longer than the window scrolls inside the box; the button stays reachable.
    QString longText;
    for (int i = 0; i < 12; ++i)
        longText += qtTrId("VersionInfo_PersonalInformation_Contents") + QLatin1Char('\n');
    int oks = 0;
    message().showMessage(longText, [&oks] { ++oks; });
    QTRY_VERIFY(shown(QStringLiteral("messageOk")));
    QQuickItem* scroll = item(QStringLiteral("messageScroll"));
    QTRY_VERIFY(scroll->property("contentHeight").toDouble() > scroll->height());
    QVERIFY(fitsWindow());
    ui_->picture(QStringLiteral("messageLong"));
    click(QStringLiteral("messageOk"));
    QTRY_COMPARE(oks, 1);
}

void ShellTest::versionPageDocuments_data() {
    WindowHarness::addLanguageRows();
}

void ShellTest::versionPageDocuments() {
    QFETCH(QLocale::Language, language);
    QVERIFY(start({}, language));
    QVERIFY(ui_->toSmallest());
    click(QStringLiteral("menu_Menu_VersionInfo"));
    QTRY_COMPARE(ui_->pageName(), QStringLiteral("versionPage"));
    QVERIFY(shown(QStringLiteral("versionRights")));
    QCOMPARE(text(QStringLiteral("versionRights")).count(QLatin1Char('\n')), 1);
    QTRY_COMPARE(shown(QStringLiteral("versionDownload")), ui_->vm().is_new());

    const struct {
        const char* entry;
        const char* contents;
        bool link;
        const char* picture;
    } documents[] = {
        {"versionLicense", "VersionInfo_License_Contents", false, "versionLicense"},
        {"versionPersonalInformation", "VersionInfo_PersonalInformation_Contents", true,
         "versionPersonalInformation"},
    };
    for (const auto& document : documents) {
        click(QLatin1String(document.entry));
        QTRY_VERIFY(shown(QStringLiteral("versionDocument")));
        QVERIFY(!shown(QStringLiteral("versionAbout")));
        QCOMPARE(text(QStringLiteral("versionDocumentText")), qtTrId(document.contents));
        QCOMPARE(shown(QStringLiteral("versionPersonalInformationLink")), document.link);
        ui_->picture(QLatin1String(document.picture));
        click(QStringLiteral("versionBack"));
        QTRY_VERIFY(shown(QStringLiteral("versionAbout")));
    }
    // Escape leaves a document as the back button does.
    click(QStringLiteral("versionLicense"));
    QTRY_VERIFY(shown(QStringLiteral("versionDocument")));
    QTest::keyClick(ui_->window(), Qt::Key_Escape);
    QTRY_VERIFY(shown(QStringLiteral("versionAbout")));
}

QTEST_MAIN(ShellTest)
// A new language reaches the pages' own texts and those the controller composes with
// nothing but the engine's retranslation.
void ShellTest::languageChangeReachesEveryText() {
    QVERIFY(start(QString()));
    ui_->connect(true);
    QVERIFY(!QTest::currentTestFailed());
    ui_->showPage(RING_SETTING, "ringSettingPage");
    QVERIFY(!QTest::currentTestFailed());
    const QString englishValue = text(QStringLiteral("valueDirection"));
    QCOMPARE(englishValue, ui_->vm().ringDirectionText());
    const QString englishButton = text(QStringLiteral("lensRemoval"));
    QCOMPARE(englishButton, qtTrId("Header_LensRemoval"));

    // The controller's texts follow the new language by themselves, the pages' own at the
    // engine's retranslation.
    QCOMPARE(Texts::install(QLocale(QLocale::Japanese)), QStringLiteral("ja"));
    QTRY_COMPARE(text(QStringLiteral("valueDirection")), ui_->vm().ringDirectionText());
    QVERIFY(text(QStringLiteral("valueDirection")) != englishValue);
    ui_->shell().engine().retranslate();
    QTRY_COMPARE(text(QStringLiteral("lensRemoval")), qtTrId("Header_LensRemoval"));
    QVERIFY(text(QStringLiteral("lensRemoval")) != englishButton);
}

#include "tst_shell.moc"
