// The window against the virtual lens in this process: pages, message box, closing rule,
// and a picture of every page in English and Japanese for review.
#include "MainWindow.h"

#include "Simulation.h"
#include "controller/AppViewModel.h"
#include "firmware/ServerModel.h"
#include "link/LensClient.h"
#include "link/UsbSerialInterface.h"
#include "link/UsbSerialPortList.h"
#include "model/BasicInfoViewModel.h"
#include "platform/Texts.h"
#include "ui/MessageViewModel.h"

#include <QDir>
#include <QQmlProperty>
#include <QQuickItem>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QtTest>

#include <memory>

using namespace kelvara;

namespace {

QQuickItem* findItem(QQuickItem* from, const QString& name) {
    if (!from)
        return nullptr;
    if (from->objectName() == name)
        return from;
    for (QQuickItem* child : from->childItems())
        if (QQuickItem* found = findItem(child, name))
            return found;
    return nullptr;
}

// Shown means visible itself and through all its parents.
bool shown(QQuickItem* item) { return item && item->isVisible() && item->opacity() > 0; }

} // namespace

class WindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void cleanupTestCase();
    void opensOnConnectPage();
    void messageBoxShowsAndAnswers();
    void connectingForCustomisingReachesHome();
    void closingIsRefusedWhileConnected();
    void picturesOfEveryPage();
    void disconnectingReturnsToConnectPage();

  private:
    QQuickItem* item(const QString& name) const {
        return findItem(window_->contentItem(), name);
    }
    void click(const QString& name) {
        QQuickItem* target = item(name);
        QVERIFY2(shown(target), qPrintable(name + " is not shown"));
        QVERIFY(target->isEnabled());
        const QPointF centre = target->mapToScene(QPointF(target->width() / 2, target->height() / 2));
        QTest::mouseClick(window_, Qt::LeftButton, {}, centre.toPoint());
    }
    QString pageName() const {
        auto* page = item(QStringLiteral("page"));
        auto* content = page ? qvariant_cast<QQuickItem*>(page->property("item")) : nullptr;
        return content ? content->objectName() : QString();
    }
    void useLanguage(QLocale::Language language) {
        QVERIFY(!Texts::install(QLocale(language)).isEmpty());
        shell_->retranslate();
    }
    void picture(const QString& name) {
        QCoreApplication::processEvents();
        const QImage image = window_->grabWindow();
        QVERIFY(!image.isNull());
        QCOMPARE(image.size(), window_->size() * window_->devicePixelRatio());
        const QString file = QDir(QStringLiteral(KELVARA_UI_PICTURES)).filePath(name + QStringLiteral(".png"));
        QVERIFY2(image.save(file), qPrintable(file));
    }

    QTemporaryDir config_;
    sim::Simulation simulation_;
    std::unique_ptr<AppViewModel> vm_;
    std::unique_ptr<MainWindow> shell_;
    QQuickWindow* window_ = nullptr;
};

void WindowTest::initTestCase() {
    QVERIFY(config_.isValid());
    qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
    qunsetenv("KELVARA_LANG");
    QCoreApplication::setOrganizationName(QStringLiteral("Kelvara"));
    QCoreApplication::setApplicationName(QStringLiteral("LensUtility"));
    QDir().mkpath(QStringLiteral(KELVARA_UI_PICTURES));
    QVERIFY(!Texts::install(QLocale(QLocale::English)).isEmpty());

    QString error;
    QVERIFY2(simulation_.start({}, &error), qPrintable(error));
    ServerModel::setBaseUrl(simulation_.serverUrl());
    LensClient::install(std::make_shared<UsbSerialInterface>(),
                        std::make_shared<UsbSerialPortList>(UsbSerialPortList::configuredVendorId(),
                                                            simulation_.portPath()));
    QQuickStyle::setStyle(QStringLiteral("Fusion"));
    vm_ = std::make_unique<AppViewModel>();
    shell_ = std::make_unique<MainWindow>(vm_.get());
    QVERIFY2(shell_->load(&error), qPrintable(error));
    window_ = shell_->window();
    QVERIFY(window_);
    QVERIFY(QTest::qWaitForWindowExposed(window_));
}

void WindowTest::cleanupTestCase() {
    shell_.reset();
    vm_.reset();
    LensClient::transport().closePort();
}

void WindowTest::opensOnConnectPage() {
    QCOMPARE(window_->size(), QSize(1024, 720));
    QCOMPARE(window_->minimumSize(), QSize(800, 600));
    QCOMPARE(window_->title(), vm_->app_name() + QLatin1Char(' ') + vm_->version());
    QCOMPARE(pageName(), QStringLiteral("connectPage"));
    // Before a connection the menu offers only connecting and the version page.
    QVERIFY(shown(item(QStringLiteral("menu_Menu_Connect"))));
    QVERIFY(shown(item(QStringLiteral("menu_Menu_VersionInfo"))));
    QVERIFY(!shown(item(QStringLiteral("menu_Menu_Home"))));
    QVERIFY(!shown(item(QStringLiteral("menu_Menu_FirmwareInfo"))));
    QVERIFY(!shown(item(QStringLiteral("lensRemoval"))));
    QCOMPARE(item(QStringLiteral("headerLens"))->property("text").toString(),
             qtTrId("Header_LensDisconnected"));
}

void WindowTest::messageBoxShowsAndAnswers() {
    int oks = 0;
    vm_->message()->showMessage(QStringLiteral("Common_LensError"), [&oks] { ++oks; });
    QTRY_VERIFY(shown(item(QStringLiteral("messageBox"))));
    QCOMPARE(item(QStringLiteral("messageText"))->property("text").toString(),
             qtTrId("Common_LensError"));
    QVERIFY(shown(item(QStringLiteral("messageOk"))));
    QVERIFY(!shown(item(QStringLiteral("messageYes"))));
    click(QStringLiteral("messageOk"));
    QCOMPARE(oks, 1);
    QTRY_VERIFY(!shown(item(QStringLiteral("messageBox"))));

    int yes = 0, no = 0;
    vm_->message()->showConfirm(qtTrId("Header_LensRemovalConfirm"), [&yes] { ++yes; },
                                [&no] { ++no; });
    QTRY_VERIFY(shown(item(QStringLiteral("messageYes"))));
    QVERIFY(shown(item(QStringLiteral("messageNo"))));
    QVERIFY(!shown(item(QStringLiteral("messageOk"))));
    picture(QStringLiteral("message-en"));
    click(QStringLiteral("messageNo"));
    QCOMPARE(no, 1);
    QCOMPARE(yes, 0);
    QTRY_VERIFY(!vm_->message()->show_message());
}

void WindowTest::connectingForCustomisingReachesHome() {
    click(QStringLiteral("connectCustomize"));
    QTRY_COMPARE_WITH_TIMEOUT(vm_->selected_menu(), int(HOME), 10000);
    QCOMPARE(vm_->connect_state(), int(CONNECT_COMPLETE));
    QTRY_COMPARE(pageName(), QStringLiteral("homePage"));
    QVERIFY(!vm_->basic_info()->productName().isEmpty());
    QCOMPARE(item(QStringLiteral("headerLens"))->property("text").toString(),
             vm_->basic_info()->productName());
    QVERIFY(shown(item(QStringLiteral("lensRemoval"))));
    QVERIFY(shown(item(QStringLiteral("menu_Menu_Home"))));
    QVERIFY(shown(item(QStringLiteral("menu_Menu_FirmwareInfo"))));
    QVERIFY(!shown(item(QStringLiteral("menu_Menu_Connect"))));
    // The zoom lens has a custom switch: its summary block lists the button's function.
    QVERIFY(shown(item(QStringLiteral("summarySwitch"))));
    QVERIFY(!shown(item(QStringLiteral("summaryButton"))));
}

void WindowTest::closingIsRefusedWhileConnected() {
    QVERIFY(!vm_->message()->show_message());
    window_->close();
    QVERIFY(window_->isVisible());
    QTRY_VERIFY(vm_->message()->show_message());
    QCOMPARE(vm_->message()->message(), qtTrId("Common_AppEndError"));
    click(QStringLiteral("messageOk"));
    QTRY_VERIFY(!vm_->message()->show_message());
}

void WindowTest::picturesOfEveryPage() {
    window_->resize(800, 600);
    QTRY_COMPARE(window_->size(), QSize(800, 600));
    const struct {
        QLocale::Language language;
        const char* suffix;
    } languages[] = {{QLocale::English, "en"}, {QLocale::Japanese, "ja"}};
    const struct {
        int menu;
        const char* page;
    } pages[] = {{HOME, "homePage"}, {FIRMWARE_INFO, "firmwarePage"}, {VERSION_INFO, "versionPage"}};
    for (const auto& language : languages) {
        useLanguage(language.language);
        for (const auto& page : pages) {
            vm_->setSelectedMenuValue(page.menu);
            QTRY_COMPARE(pageName(), QLatin1String(page.page));
            picture(QLatin1String(page.page) + QLatin1Char('-') + QLatin1String(language.suffix));
        }
    }
    useLanguage(QLocale::English);
    vm_->setSelected_menu(HOME);
}

void WindowTest::disconnectingReturnsToConnectPage() {
    click(QStringLiteral("lensRemoval"));
    QTRY_VERIFY(shown(item(QStringLiteral("messageYes"))));
    click(QStringLiteral("messageYes"));
    QTRY_COMPARE_WITH_TIMEOUT(vm_->connect_state(), int(NOT_CONNECT), 5000);
    QTRY_COMPARE(pageName(), QStringLiteral("connectPage"));
    for (const char* suffix : {"en", "ja"}) {
        useLanguage(QLatin1String(suffix) == QLatin1String("en") ? QLocale::English : QLocale::Japanese);
        picture(QStringLiteral("connectPage-") + QLatin1String(suffix));
    }
    useLanguage(QLocale::English);
    // Without a lens the window may close, and closing it closes the port.
    window_->close();
    QTRY_VERIFY(!window_->isVisible());
    QVERIFY(!LensClient::transport().isPortOpen());
    QSettings settings;
    QVERIFY(settings.value(MainWindow::settingsGroup() + QStringLiteral("/geometry")).toRect().isValid());
}

QTEST_MAIN(WindowTest)
#include "tst_window.moc"
