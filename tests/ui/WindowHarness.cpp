#include "WindowHarness.h"

#include "MainWindow.h"
#include "QuickFileDialogs.h"
#include "Simulation.h"
#include "VirtualLens.h"
#include "controller/AppViewModel.h"
#include "controller/ConnectState.h"
#include "link/LensClient.h"
#include "link/UsbSerialInterface.h"
#include "link/UsbSerialPortList.h"
#include "platform/Environment.h"
#include "platform/Preferences.h"
#include "platform/Texts.h"
#include "ui/MessageViewModel.h"
#include "ui/PopupViewModel.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QGuiApplication>
#include <QPalette>
#include <QQuickItem>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QTimer>
#include <QtTest>

namespace kelvara {

namespace {

QQuickItem* findItem(QQuickItem* from, const QString& name) {
    if (!from)
        return nullptr;
    if (from->objectName() == name)
        return from;
    const auto children = from->childItems();
    for (QQuickItem* child : children)
        if (QQuickItem* found = findItem(child, name))
            return found;
    return nullptr;
}

void collectNames(const QQuickItem* from, const QString& prefix, QStringList* names) {
    for (const QQuickItem* child : from->childItems()) {
        if (child->objectName().startsWith(prefix))
            names->append(child->objectName());
        collectNames(child, prefix, names);
    }
}

// What a desktop in dark mode hands the program.
QPalette darkPalette() {
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(0x2b, 0x2d, 0x31));
    palette.setColor(QPalette::WindowText, QColor(0xe6, 0xe6, 0xe6));
    palette.setColor(QPalette::Base, QColor(0x1f, 0x21, 0x24));
    palette.setColor(QPalette::Text, QColor(0xe6, 0xe6, 0xe6));
    palette.setColor(QPalette::Button, QColor(0x35, 0x38, 0x3d));
    palette.setColor(QPalette::ButtonText, QColor(0xe6, 0xe6, 0xe6));
    return palette;
}

bool visibleUpwards(const QQuickItem* item) {
    if (!item)
        return false;
    for (; item; item = item->parentItem())
        if (!item->isVisible() || item->opacity() <= 0)
            return false;
    return true;
}

} // namespace

void WindowHarness::isolateUserFiles(const QString& dir) {
    qputenv("XDG_CONFIG_HOME", QDir(dir).filePath(QStringLiteral("config")).toUtf8());
    qputenv("XDG_DATA_HOME", QDir(dir).filePath(QStringLiteral("data")).toUtf8());
    qunsetenv("KELVARA_LANG");
    QCoreApplication::setOrganizationName(QStringLiteral("Kelvara"));
    QCoreApplication::setApplicationName(QStringLiteral("LensUtility"));
    QQuickStyle::setStyle(QStringLiteral("Fusion"));
    QDir().mkpath(QStringLiteral(KELVARA_UI_PICTURES));
}

QString WindowHarness::writeProfile(const QString& dir, const QString& preset,
                                    const QJsonObject& changes) {
    QFile builtIn(QStringLiteral(":/kelvara/sim/profiles/%1.json").arg(preset));
    if (!builtIn.open(QIODevice::ReadOnly))
        return {};
    QJsonObject profile = QJsonDocument::fromJson(builtIn.readAll()).object();
    for (auto it = changes.begin(); it != changes.end(); ++it)
        profile[it.key()] = it.value();
    static int written = 0;
    const QString path =
        QDir(dir).filePath(QStringLiteral("%1-%2.json").arg(preset).arg(++written));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(QJsonDocument(profile).toJson()) < 0)
        return {};
    return path;
}

void WindowHarness::addLanguageRows() {
    QTest::addColumn<QLocale::Language>("language");
    QTest::newRow("en") << QLocale::English;
    QTest::newRow("ja") << QLocale::Japanese;
}

void WindowHarness::addPictureRows(bool japaneseDark) {
    QTest::addColumn<QLocale::Language>("language");
    QTest::addColumn<bool>("dark");
    QTest::newRow("en") << QLocale::English << false;
    QTest::newRow("ja") << QLocale::Japanese << false;
    QTest::newRow("en-dark") << QLocale::English << true;
    if (japaneseDark)
        QTest::newRow("ja-dark") << QLocale::Japanese << true;
}

WindowHarness::WindowHarness() : environment_(Environment::create()) {}

WindowHarness::~WindowHarness() {
    // The pages go before the controller they observe, the port before the lens.
    shell_.reset();
    vm_.reset();
    LensClient::transport().closePort();
    simulation_.reset();
}

bool WindowHarness::start(const Options& options, QString* error) {
    language_ = options.language;
    dark_ = options.dark;
    QGuiApplication::setPalette(dark_ ? darkPalette() : QPalette());
    if (Texts::install(QLocale(language_)).isEmpty()) {
        *error = QStringLiteral("no texts for %1").arg(QLocale::languageToString(language_));
        return false;
    }
    Preferences::setBool(QString::fromLatin1(Preferences::SHOW_START_PAGE), !options.startPage);
    Preferences::setBool(QString::fromLatin1(Preferences::VISIBLE_AF_CUSTOMIZE),
                         options.afCustomize);

    simulation_ = std::make_unique<sim::Simulation>();
    if (!simulation_->start(options.preset, error))
        return false;
    environment_->setUpdateBaseUrl(simulation_->serverUrl());
    LensClient::install(*environment_, std::make_shared<UsbSerialInterface>(),
                        std::make_shared<UsbSerialPortList>(UsbSerialPortList::configuredVendorId(),
                                                            simulation_->portPath()));
    vm_ = std::make_unique<AppViewModel>();
    shell_ = std::make_unique<MainWindow>(vm_.get());
    if (!shell_->load(error))
        return false;
    window_ = shell_->window();
    if (!window_ || !QTest::qWaitForWindowExposed(window_)) {
        *error = QStringLiteral("the window was not shown");
        return false;
    }
    return true;
}

sim::VirtualLens& WindowHarness::lens() const { return *simulation_->lens(); }

QString WindowHarness::pictureSuffix() const {
    const QString language =
        language_ == QLocale::Japanese ? QStringLiteral("ja") : QStringLiteral("en");
    const QString palette = dark_ ? language + QStringLiteral("-dark") : language;
    return window_ && window_->devicePixelRatio() >= 2 ? palette + QStringLiteral("@2x") : palette;
}

QQuickItem* WindowHarness::item(const QString& name) const {
    return findItem(window_->contentItem(), name);
}

bool WindowHarness::shown(const QString& name) const { return visibleUpwards(item(name)); }

QStringList WindowHarness::shownNames(const QString& prefix) const {
    QStringList names, shown;
    collectNames(window_->contentItem(), prefix, &names);
    for (const QString& name : std::as_const(names))
        if (visibleUpwards(item(name)))
            shown.append(name);
    shown.sort();
    return shown;
}

QStringList WindowHarness::shownAmong(const QStringList& names) const {
    QStringList shownOnes;
    for (const QString& name : names)
        if (shown(name))
            shownOnes.append(name);
    return shownOnes;
}

QStringList WindowHarness::menu() const {
    const QString prefix = QStringLiteral("menu_Menu_");
    QStringList entries;
    for (const QString& name : shownNames(prefix))
        if (!name.endsWith(QLatin1String("_icon")))
            entries.append(name.mid(prefix.size()));
    return entries;
}

QString WindowHarness::text(const QString& name) const {
    return property(name, "text").toString();
}

QVariant WindowHarness::property(const QString& name, const char* property) const {
    QQuickItem* found = item(name);
    return found ? found->property(property) : QVariant();
}

QString WindowHarness::pageName() const {
    QQuickItem* page = item(QStringLiteral("page"));
    auto* content = page ? qvariant_cast<QQuickItem*>(page->property("item")) : nullptr;
    return content ? content->objectName() : QString();
}

bool WindowHarness::restart(std::unique_ptr<WindowHarness>* ui, const Options& options,
                            bool connected) {
    // One environment at a time: the old harness goes first.
    ui->reset();
    *ui = std::make_unique<WindowHarness>();
    QString error;
    if (!(*ui)->start(options, &error)) {
        qWarning("%s", qPrintable(error));
        return false;
    }
    return !connected || (*ui)->connect(true);
}

void WindowHarness::showPage(MenuId menu, const char* page) {
    vm_->setSelected_menu(menu);
    QTRY_COMPARE(pageName(), QLatin1String(page));
    waitForFrame();
}

void WindowHarness::click(const QString& name) {
    QQuickItem* target = item(name);
    QVERIFY2(visibleUpwards(target), qPrintable(name + QStringLiteral(" is not shown")));
    QVERIFY2(target->isEnabled(), qPrintable(name + QStringLiteral(" is disabled")));
    const QPointF centre = target->mapToScene(QPointF(target->width() / 2, target->height() / 2));
    QVERIFY2(QRectF(QPointF(), window_->size()).contains(centre),
             qPrintable(name + QStringLiteral(" lies outside the window")));
    // A click on a part scrolled out of its view would land on whatever covers it.
    for (QQuickItem* view = target->parentItem(); view; view = view->parentItem())
        if (view->clip())
            QVERIFY2(view->mapRectToScene(view->boundingRect()).contains(centre),
                     qPrintable(name + QStringLiteral(" is scrolled out of view")));
    QTest::mouseClick(window_, Qt::LeftButton, {}, centre.toPoint());
}

bool WindowHarness::connect(bool forCustomizing) {
    click(forCustomizing ? QStringLiteral("connectCustomize") : QStringLiteral("connectFirmware"));
    if (!QTest::currentTestFailed()) {
        [this] { QTRY_COMPARE_WITH_TIMEOUT(vm_->connect_state(), int(CONNECT_COMPLETE), 10000); }();
        settle();
    }
    return !QTest::currentTestFailed();
}

void WindowHarness::clickWhenShown(const QString& name) {
    QTRY_VERIFY2(shown(name), qPrintable(name));
    waitForFrame();
    click(name);
}

void WindowHarness::press(const QString& name) {
    if (QQuickItem* target = item(name); target && target->activeFocusOnTab()) {
        target->forceActiveFocus(Qt::TabFocusReason);
        waitForFrame();
        // Nothing pending may take the focus away again before the click.
        QTRY_VERIFY2(target->hasActiveFocus(), qPrintable(name));
    }
    click(name);
}

void WindowHarness::pressAndSettle(const QString& name) {
    press(name);
    if (!QTest::currentTestFailed())
        settle();
}

void WindowHarness::key(const QString& name, Qt::Key key) {
    QQuickItem* target = item(name);
    QVERIFY2(target && target->isEnabled(), qPrintable(name));
    target->forceActiveFocus(Qt::TabFocusReason);
    QTRY_VERIFY(target->hasActiveFocus());
    QTest::keyClick(window_, key);
    settle();
}

void WindowHarness::answer(const char* id, const QString& button, const QString& pictureName) {
    MessageViewModel& message = *vm_->message();
    const QString key = QLatin1String(id);
    QTRY_VERIFY2_WITH_TIMEOUT(message.show_message() && message.message_id() == key,
                              qPrintable(message.message_id()), 10000);
    // The text up to its first argument, as the language gives it.
    QVERIFY2(message.message().startsWith(qtTrId(id).section(u'%', 0, 0)), qPrintable(message.message()));
    if (!pictureName.isEmpty()) {
        waitForFrame();
        picture(pictureName);
    }
    clickWhenShown(button);
    // Gone, or followed at once by the next message.
    QTRY_VERIFY(!message.show_message() || message.message_id() != key);
}

void WindowHarness::answerDialog(const QString& path, int* answered, const QString& pictureName) {
    QuickFileDialogs* dialogs = &shell_->fileDialogs();
    auto connections = std::make_shared<QList<QMetaObject::Connection>>();
    const auto answerIn = [=, this](const char* dialogName) {
        return [=, this] {
            for (const QMetaObject::Connection& c : *connections)
                QObject::disconnect(c);
            // After the window has opened its dialog (made at the first request), as a
            // user's choice would.
            QTimer::singleShot(0, dialogs, [=, this] {
                QQuickItem* requests = item(QStringLiteral("fileRequests"));
                QObject* dialog = requests ? requests->findChild<QObject*>(QLatin1String(dialogName)) : nullptr;
                QVERIFY2(dialog && dialog->property("visible").toBool(), dialogName);
                if (!pictureName.isEmpty()) {
                    waitForFrame();
                    picture(pictureName);
                }
                dialogs->finish(path.isEmpty() ? QUrl() : QUrl::fromLocalFile(path));
                QMetaObject::invokeMethod(dialog, "close");
                ++*answered;
            });
        };
    };
    *connections << QObject::connect(dialogs, &QuickFileDialogs::saveRequested, dialogs, answerIn("fileDialog"))
                 << QObject::connect(dialogs, &QuickFileDialogs::openRequested, dialogs, answerIn("fileDialog"))
                 << QObject::connect(dialogs, &QuickFileDialogs::folderRequested, dialogs, answerIn("folderDialog"));
}

void WindowHarness::closePopupWith(const QString& button) {
    press(button);
    if (QTest::currentTestFailed())
        return;
    QTRY_VERIFY(!vm_->popup()->show_popup());
    settle();
}

void WindowHarness::openPopup(int popup, int control) {
    vm_->popup()->openPopup(popup, control);
    QTRY_VERIFY(shown(QStringLiteral("popupFrame")));
    waitForFrame();
}

void WindowHarness::nextPopupPage() {
    press(QStringLiteral("popupSelect"));
    if (QTest::currentTestFailed())
        return;
    QTRY_COMPARE(vm_->popup()->page_index(), 1);
    waitForFrame();
}

void WindowHarness::backPopupPage() {
    press(QStringLiteral("popupBack"));
    if (QTest::currentTestFailed())
        return;
    QTRY_COMPARE(vm_->popup()->page_index(), 0);
    settle();
    waitForFrame();
}

void WindowHarness::settle() { QTRY_VERIFY(!vm_->lock()); }

void WindowHarness::waitForFrame() {
    QSignalSpy frames(window_, &QQuickWindow::frameSwapped);
    window_->update();
    QTRY_VERIFY(frames.count() > 0);
}

bool WindowHarness::toSmallest() {
    const QSize smallest = window_->minimumSize();
    window_->resize(smallest);
    return QTest::qWaitFor([this, smallest] { return window_->size() == smallest; });
}

void WindowHarness::picture(const QString& name) {
    QCoreApplication::processEvents();
    const QImage image = window_->grabWindow();
    QVERIFY(!image.isNull());
    const QString file = QDir(QStringLiteral(KELVARA_UI_PICTURES))
                             .filePath(name + QLatin1Char('-') + pictureSuffix() + QStringLiteral(".png"));
    QVERIFY2(image.save(file), qPrintable(file));
}

} // namespace kelvara
