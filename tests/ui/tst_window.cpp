// The window against the virtual lens: connecting, the closing rule and a picture of
// every page.
#include "DiagnosticCapture.h"
#include "MainWindow.h"
#include "VirtualLens.h"
#include "WindowHarness.h"

#include "controller/AppViewModel.h"
#include "controller/ConnectState.h"
#include "controller/MenuId.h"
#include "link/LensClient.h"
#include "link/UsbSerialInterface.h"
#include "model/BasicInfoViewModel.h"
#include "ui/MessageViewModel.h"

#include <QQuickItem>
#include <QQuickWindow>
#include <QSettings>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <memory>

using namespace kelvara;

namespace {

// Relative luminance and contrast ratio as the web accessibility guidelines define them.
double luminance(const QColor& c) {
    const auto channel = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double contrast(const QColor& a, const QColor& b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Every shown button whose label sits on a filled background with too little contrast
// between the two for normal-sized text.
QStringList unreadableButtons(QQuickItem* root) {
    QStringList found;
    if (!root->isVisible())
        return found;
    const auto* label = root->property("contentItem").value<QQuickItem*>();
    const auto* background = root->property("background").value<QQuickItem*>();
    // Labels laid out from several parts carry no colour of their own and are left out.
    const QVariant textColor = label ? label->property("color") : QVariant();
    if (background && textColor.isValid() && root->property("text").isValid()) {
        const QColor text = textColor.value<QColor>();
        const QColor fill = background->property("color").value<QColor>();
        // A colour that failed to resolve is drawn black.
        if (fill.isValid() && fill.alpha() == 255 && (!text.isValid() || contrast(text, fill) < 4.5))
            found << QStringLiteral("%1 (%2 on %3)")
                         .arg(root->property("text").toString(), text.name(), fill.name());
    }
    for (QQuickItem* child : root->childItems())
        found << unreadableButtons(child);
    return found;
}

// Before a connection the menu offers only connecting and the version page.
const QStringList UNCONNECTED{QStringLiteral("Connect"), QStringLiteral("VersionInfo")};

} // namespace

class WindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QVERIFY(userFiles_.isValid());
        WindowHarness::isolateUserFiles(userFiles_.path());
    }

    void closingFollowsTheRule_data() {
        QTest::addColumn<bool>("quitCommand");
        QTest::newRow("closing the window") << false;
        QTest::newRow("Ctrl+Q") << true;
    }

    // Closing by the window's frame or by Ctrl+Q: refused with a lens connected for
    // customising, and said why; once the lens is let go it closes the port and keeps the
    // window's frame. The menu and rows that follow the lens are checked with the settings
    // pages.
    void closingFollowsTheRule() {
        QFETCH(bool, quitCommand);
        QVERIFY(WindowHarness::restart(&ui_, {}));
        QCOMPARE(ui_->pageName(), QStringLiteral("connectPage"));
        QCOMPARE(ui_->menu(), UNCONNECTED);
        QVERIFY(!shown(QStringLiteral("lensRemoval")));
        QVERIFY(ui_->connect(true));
        QCOMPARE(ui_->vm().selected_menu(), int(HOME));
        QTRY_COMPARE(ui_->pageName(), QStringLiteral("homePage"));
        QVERIFY(!ui_->vm().basic_info()->productName().isEmpty());
        QCOMPARE(ui_->text(QStringLiteral("headerLens")), ui_->vm().basic_info()->productName());
        QCOMPARE(ui_->shownAmong({QStringLiteral("menu_Menu_Connect"), QStringLiteral("lensRemoval")}),
                 QStringList{QStringLiteral("lensRemoval")});

        test::DiagnosticCapture log;
        const QString geometry = MainWindow::settingsGroup() + QStringLiteral("/geometry");
        QSettings().remove(geometry);
        QQuickWindow* window = ui_->window();
        MessageViewModel& message = *ui_->vm().message();
        // Shortcuts reach the window that has the keyboard.
        window->requestActivate();
        QVERIFY(QTest::qWaitForWindowActive(window));
        const auto close = [&] {
            if (quitCommand)
                QTest::keyClick(window, Qt::Key_Q, Qt::ControlModifier);
            else
                window->close();
        };
        close();
        QTRY_VERIFY(message.show_message());
        QCOMPARE(message.message(), qtTrId("Common_AppEndError"));
        QVERIFY(window->isVisible());
        QVERIFY(LensClient::transport().isPortOpen());
        QCOMPARE(log.count(QStringLiteral("will close")), int(quitCommand));
        ui_->click(QStringLiteral("messageOk"));
        QTRY_VERIFY(!message.show_message());

        ui_->click(QStringLiteral("lensRemoval"));
        QTRY_VERIFY(shown(QStringLiteral("messageYes")));
        QCOMPARE(message.message(), qtTrId("Header_LensRemovalConfirm"));
        ui_->click(QStringLiteral("messageYes"));
        QTRY_COMPARE_WITH_TIMEOUT(ui_->vm().connect_state(), int(NOT_CONNECT), 5000);
        QTRY_COMPARE(ui_->pageName(), QStringLiteral("connectPage"));
        close();
        QTRY_VERIFY(!window->isVisible());
        QVERIFY(!LensClient::transport().isPortOpen());
        QVERIFY(!message.show_message());
        QCOMPARE(log.count(QStringLiteral("will close")), 2 * int(quitCommand));
        QVERIFY(QSettings().value(geometry).toRect().isValid());
    }

    void picturesOfEveryPage_data() { WindowHarness::addPictureRows(); }

    // At the smallest window size, where text is most likely to be cut; each page is
    // photographed and its filled buttons checked for readable labels.
    void picturesOfEveryPage() {
        QFETCH(QLocale::Language, language);
        QFETCH(bool, dark);
        QVERIFY(WindowHarness::restart(&ui_, {.preset = {}, .language = language, .dark = dark}));
        QVERIFY(ui_->toSmallest());
        const auto look = [this](const QString& page) {
            ui_->picture(page);
            const QStringList unreadable = unreadableButtons(ui_->window()->contentItem());
            QVERIFY2(unreadable.isEmpty(), qPrintable(page + QStringLiteral(": ") +
                                                      unreadable.join(QStringLiteral(", "))));
        };
        look(QStringLiteral("connectPage"));
        QVERIFY(!QTest::currentTestFailed());
        // Slow replies keep the connection under way long enough to be seen.
        ui_->lens().setReplyDelay(300);
        ui_->click(QStringLiteral("connectCustomize"));
        QTRY_VERIFY(shown(QStringLiteral("connectProgress")));
        QVERIFY(!ui_->item(QStringLiteral("connectFirmware"))->isEnabled());
        QTest::qWait(500); // the moving segment into view
        QVERIFY(shown(QStringLiteral("connectProgress")));
        look(QStringLiteral("connecting"));
        ui_->lens().setReplyDelay(0);
        QTRY_COMPARE_WITH_TIMEOUT(ui_->vm().connect_state(), int(CONNECT_COMPLETE), 10000);
        ui_->settle();
        const struct {
            MenuId menu;
            const char* page;
        } pages[] = {{HOME, "homePage"},
                     {CSW_CBT_SETTING, "customSettingPage"},
                     {RING_SETTING, "ringSettingPage"},
                     {ADJUSTMENT, "adjustmentPage"},
                     {FIRMWARE_INFO, "firmwarePage"},
                     {VERSION_INFO, "versionPage"},
                     {FUNCTION_DESCRIPTION, "functionDescriptionPage"},
                     {BACKUPS, "backupsPage"}};
        for (const auto& page : pages) {
            ui_->showPage(page.menu, page.page);
            look(QLatin1String(page.page));
            QVERIFY(!QTest::currentTestFailed());
        }
    }

    // A lens that does not restart to apply firmware: losing it ends the connection with a
    // message instead of waiting for it to come back.
    void unplugReturnsToConnectPage() {
        const QString path = WindowHarness::writeProfile(userFiles_.path(), QStringLiteral("zoom-e"),
                                                         {{QStringLiteral("firmwareType"), 0}});
        QVERIFY(!path.isEmpty());
        QVERIFY(WindowHarness::restart(&ui_, {.preset = path}, true));
        QCOMPARE(ui_->pageName(), QStringLiteral("homePage"));

        ui_->lens().unplug();
        QTRY_VERIFY_WITH_TIMEOUT(shown(QStringLiteral("messageOk")), 5000);
        QCOMPARE(ui_->vm().message()->message(), qtTrId("Common_LensRemovalMessage"));
        QVERIFY(!LensClient::transport().isPortOpen());
        ui_->click(QStringLiteral("messageOk"));
        QTRY_COMPARE(ui_->vm().connect_state(), int(NOT_CONNECT));
        QTRY_COMPARE(ui_->pageName(), QStringLiteral("connectPage"));
        QCOMPARE(ui_->menu(), UNCONNECTED);
        QVERIFY(!shown(QStringLiteral("lensRemoval")));
    }

  private:
    bool shown(const QString& name) const { return ui_->shown(name); }

    QTemporaryDir userFiles_;
    std::unique_ptr<WindowHarness> ui_;
};

QTEST_MAIN(WindowTest)
#include "tst_window.moc"
