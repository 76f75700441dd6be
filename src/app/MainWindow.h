#pragma once

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

#include <memory>

class QJSEngine;
class QQmlEngine;
class QQuickWindow;

namespace kelvara {

class AppViewModel;
class QuickFileDialogs;

// The one window: loads the pages, hands them the controller, restores and saves the
// window's frame under "Main Window", applies the closing rule and closes the port when
// the window closes.
class MainWindow : public QObject {
    Q_OBJECT
    QML_NAMED_ELEMENT(Shell)
    QML_SINGLETON
    // Read once when the window is built: the start page shows unless the user asked
    // not to see it again.
    Q_PROPERTY(bool startPageWanted READ startPageWanted CONSTANT)

  public:
    // `app` must outlive the window.
    explicit MainWindow(AppViewModel* app, QObject* parent = nullptr);
    ~MainWindow() override;

    // The window whose engine asks: the pages' singleton.
    static MainWindow* create(QQmlEngine* engine, QJSEngine*);

    // Builds the window; false with a reason when the pages could not be loaded.
    bool load(QString* error);
    QQuickWindow* window() const;
    QQmlEngine& engine() const { return *engine_; }
    QuickFileDialogs& fileDialogs() const { return *fileDialogs_; }
    AppViewModel* controller() const { return app_; }

    // The window's close request: true when it may close; then the frame is saved and
    // the port closed.
    Q_INVOKABLE bool requestClose();
    // The quit command: ends the application when the closing rule allows, and logs
    // "will close" either way.
    Q_INVOKABLE void willClose();
    // Opens the web address stored under a text id in the browser.
    Q_INVOKABLE void openUrl(const QString& textId) const;
    // Opens the page about the connected lens's firmware.
    Q_INVOKABLE void openFirmwareContent() const;
    // Opens the folder that holds the file in the file manager.
    Q_INVOKABLE void showInFolder(const QString& path) const;
    // Opens the folder of the window's logs in the file manager.
    Q_INVOKABLE void openLogFolder() const;

    bool startPageWanted() const { return startPageWanted_; }
    // The start page was closed; with `dontShowNext` it stays away at the next launches.
    Q_INVOKABLE void dismissStartPage(bool dontShowNext);

    static QString settingsGroup() { return QStringLiteral("Main Window"); }

  private:
    void restoreGeometry(QQuickWindow& window) const;
    void saveGeometry() const;

    AppViewModel* app_;
    bool startPageWanted_;
    std::unique_ptr<QuickFileDialogs> fileDialogs_;
    std::unique_ptr<QQmlEngine> engine_;
    std::unique_ptr<QObject> root_;
};

} // namespace kelvara
