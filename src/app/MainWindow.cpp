#include "MainWindow.h"

#include "CloseGuard.h"
#include "QuickFileDialogs.h"

#include "controller/AppViewModel.h"
#include "firmware/ServerModel.h"
#include "link/LensClient.h"
#include "platform/Diagnostics.h"
#include "platform/LogFile.h"
#include "platform/Preferences.h"
#include "platform/Texts.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickWindow>
#include <QScreen>
#include <QSettings>
#include <QUrl>
#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(Kelvara_LensUtilityPlugin)

namespace kelvara {

MainWindow::MainWindow(AppViewModel* app, QObject* parent)
    : QObject(parent), app_(app),
      startPageWanted_(!Preferences::boolValue(QString::fromLatin1(Preferences::SHOW_START_PAGE))),
      fileDialogs_(std::make_unique<QuickFileDialogs>(nullptr)),
      // A plain engine: an application engine's file selector looks for "+selector" folders
      // beside every file and image it resolves, a tenth of the start-up for folders the
      // pages do not have.
      engine_(std::make_unique<QQmlEngine>(this)) {
    app_->setFileDialogs(fileDialogs_.get());
}

MainWindow::~MainWindow() {
    app_->setFileDialogs(nullptr);
    // The pages go before the objects they observe, the window before its engine.
    root_.reset();
    engine_.reset();
}

MainWindow* MainWindow::create(QQmlEngine* engine, QJSEngine*) {
    // The engine is the window's child; the window, not the engine, owns what it hands out.
    auto* shell = qobject_cast<MainWindow*>(engine->parent());
    Q_ASSERT(shell);
    QJSEngine::setObjectOwnership(shell, QJSEngine::CppOwnership);
    QJSEngine::setObjectOwnership(shell->app_, QJSEngine::CppOwnership);
    QJSEngine::setObjectOwnership(shell->fileDialogs_.get(), QJSEngine::CppOwnership);
    return shell;
}

bool MainWindow::load(QString* error) {
    QStringList problems;
    connect(engine_.get(), &QQmlEngine::warnings, this,
            [&problems](const QList<QQmlError>& warnings) {
                for (const QQmlError& w : warnings)
                    problems << w.toString();
            });
    // The pages' module lies at qrc:/Kelvara/LensUtility.
    engine_->addImportPath(QStringLiteral("qrc:/"));
    QQmlComponent component(engine_.get(), QUrl(QStringLiteral("qrc:/Kelvara/LensUtility/Main.qml")));
    root_.reset(component.beginCreate(engine_->rootContext()));
    // Loaders that build in the background need the window's frames to do it between.
    if (auto* w = qobject_cast<QQuickWindow*>(root_.get()))
        engine_->setIncubationController(w->incubationController());
    if (root_)
        component.completeCreate();
    disconnect(engine_.get(), &QQmlEngine::warnings, this, nullptr);
    for (const QQmlError& e : component.errors())
        problems << e.toString();
    QQuickWindow* w = window();
    if (!w) {
        if (error)
            *error = problems.isEmpty() ? QStringLiteral("the window could not be built")
                                        : problems.join(QLatin1Char('\n'));
        return false;
    }
    restoreGeometry(*w);
    return true;
}

QQuickWindow* MainWindow::window() const {
    return qobject_cast<QQuickWindow*>(root_.get());
}

bool MainWindow::requestClose() {
    if (!CloseGuard::mayClose(*app_, LensClient::transport()))
        return false;
    saveGeometry();
    LensClient::transport().closePort();
    return true;
}

void MainWindow::willClose() {
    if (requestClose()) {
        // Already past the closing rule: hiding does not ask it a second time.
        if (QQuickWindow* w = window())
            w->hide();
        QCoreApplication::quit();
    }
    Diagnostics::line(QStringLiteral("will close"));
}

namespace {

// Only web pages: a missing text must not turn into a local file being opened.
void openAddress(const QString& address) {
    const QUrl url(address, QUrl::StrictMode);
    if (url.isValid() && !url.isRelative() && !url.host().isEmpty())
        QDesktopServices::openUrl(url);
}

} // namespace

void MainWindow::openUrl(const QString& textId) const {
    openAddress(Texts::url(textId.toUtf8().constData()));
}

void MainWindow::openFirmwareContent() const {
    openAddress(ServerModel::firmwareContentAddress());
}

// The desktop's file manager opens file: addresses; a test sees them through
// QDesktopServices::setUrlHandler.
void MainWindow::showInFolder(const QString& path) const {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absolutePath()));
}

void MainWindow::openLogFolder() const {
    const QString folder = LogFile::directory();
    // Before the first run that could write a log, there is an empty folder to show.
    QDir().mkpath(folder);
    QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

void MainWindow::dismissStartPage(bool dontShowNext) {
    // The stored value is the inverse of its name: true hides the page.
    if (dontShowNext)
        Preferences::setBool(QString::fromLatin1(Preferences::SHOW_START_PAGE), true);
}

void MainWindow::restoreGeometry(QQuickWindow& window) const {
    QSettings settings;
    settings.beginGroup(settingsGroup());
    const QRect saved = settings.value(QStringLiteral("geometry")).toRect();
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect();
    if (saved.width() >= window.minimumWidth() && saved.height() >= window.minimumHeight() &&
        (available.isEmpty() || available.intersects(saved))) {
        window.setGeometry(saved);
        return;
    }
    if (!available.isEmpty()) {
        QRect frame(QPoint(), window.size());
        frame.moveCenter(available.center());
        window.setPosition(frame.topLeft());
    }
}

void MainWindow::saveGeometry() const {
    const QQuickWindow* w = window();
    if (!w)
        return;
    QSettings settings;
    settings.beginGroup(settingsGroup());
    settings.setValue(QStringLiteral("geometry"), w->geometry());
}

} // namespace kelvara
