#pragma once

#include "controller/MenuId.h"

#include <QJsonObject>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QtCore/qnamespace.h>

#include <memory>

class QQuickItem;
class QQuickWindow;

namespace kelvara {
class AppViewModel;
class Environment;
class MainWindow;
namespace sim {
class Simulation;
class VirtualLens;
} // namespace sim

// The virtual lens, the controller and the window in this process, in one language, as
// the program builds them. The window test helpers verify with QTest macros: after a call
// that can fail, the caller checks QTest::currentTestFailed().
class WindowHarness {
  public:
    struct Options {
        QString preset;                               // empty: the default lens
        QLocale::Language language = QLocale::English;
        bool startPage = false;                       // false: stored as not wanted
        bool dark = false;                            // a dark system palette
        bool afCustomize = false;                     // stored as the AF adjustment preference
    };

    // Points the preferences, the window's frame and the backups at `dir` for the rest of
    // the process. Call once before the first harness.
    static void isolateUserFiles(const QString& dir);

    // Writes a lens profile file into `dir`: the named preset with the given fields
    // replaced; start() takes its path as the preset. Empty when the preset is unknown.
    static QString writeProfile(const QString& dir, const QString& preset,
                                const QJsonObject& changes);

    // Test data: a "language" column with one row per language of the program.
    static void addLanguageRows();
    // Test data for pictures: "language" and "dark" columns, rows en, ja and en-dark, and
    // ja-dark when asked.
    static void addPictureRows(bool japaneseDark = false);

    WindowHarness();
    ~WindowHarness();
    WindowHarness(const WindowHarness&) = delete;
    WindowHarness& operator=(const WindowHarness&) = delete;

    // Replaces `*ui` by a started harness, connected for customising when asked; false,
    // with a warning or a failed test saying why, when that does not succeed.
    static bool restart(std::unique_ptr<WindowHarness>* ui, const Options& options,
                        bool connected = false);

    // Starts everything and waits until the window is exposed.
    bool start(const Options& options, QString* error);

    QQuickWindow* window() const { return window_; }
    AppViewModel& vm() const { return *vm_; }
    Environment& environment() const { return *environment_; }
    MainWindow& shell() const { return *shell_; }
    sim::VirtualLens& lens() const;

    // The first item of that object name, or nullptr.
    QQuickItem* item(const QString& name) const;
    // Visible itself and through all its parents.
    bool shown(const QString& name) const;
    // The object name of the page on screen.
    QString pageName() const;
    // The object names in the window that start with `prefix` and are shown, sorted.
    QStringList shownNames(const QString& prefix) const;
    // Of the names, those shown, in the same order.
    QStringList shownAmong(const QStringList& names) const;
    // The shown entries of the side menu by their text id without "Menu_", sorted.
    QStringList menu() const;
    // The item's "text", empty when there is no such item.
    QString text(const QString& name) const;
    // The item's property, invalid when there is no such item.
    QVariant property(const QString& name, const char* property) const;

    // Presses the named item in its centre; fails the test when it is hidden, disabled or
    // scrolled out of its view.
    void click(const QString& name);
    // click() once the item shows and the window has drawn it.
    void clickWhenShown(const QString& name);
    // Clicks the item as a keyboard user reaches it: Tab focus first scrolls the page or
    // popup to it.
    void press(const QString& name);
    // press(), then settle().
    void pressAndSettle(const QString& name);
    // Presses the key on the item, focused as Tab would, then settles.
    void key(const QString& name, Qt::Key key);
    // Opens the popup for the control (-1: none) and waits until it is drawn.
    void openPopup(int popup, int control);
    // Waits for the message or question of that text id, pictures it when named, and
    // answers it with the button.
    void answer(const char* id, const QString& button, const QString& pictureName = {});
    // Answers the window's next save, open or folder request with `path` (empty: cancelled)
    // once the window shows its dialog for it, pictured first when named; counts the
    // answers in `answered`.
    void answerDialog(const QString& path, int* answered, const QString& pictureName = {});
    // Presses the popup's button and waits until the popup is closed and the lens settled.
    void closePopupWith(const QString& button);
    // Goes from a popup's list to its second page, or with Back to the list again (the
    // lens settled), once the page is drawn.
    void nextPopupPage();
    void backPopupPage();
    // Waits until the controller no longer holds the lock of a lens exchange.
    void settle();
    // Waits until the window has drawn a frame: a user acts on what is drawn, so the
    // layouts have placed everything by then.
    void waitForFrame();
    // Shrinks the window to its minimum size, where text is most likely to be cut; false
    // when it does not take it.
    bool toSmallest();
    // Chooses a menu entry and waits until its page is drawn.
    void showPage(MenuId menu, const char* page);
    // Connects through the connect page's button and waits for the first page; false,
    // with a failed test, when that does not succeed.
    bool connect(bool forCustomizing);
    // Writes the window as "<name>-<suffix>.png" into the pictures folder.
    void picture(const QString& name);

  private:
    // "en" or "ja", then "-dark" in the dark palette and "@2x" at 200 % scale: the suffix
    // of the pictures.
    QString pictureSuffix() const;

    // Built with the harness and current while it lives, as the program's is.
    std::shared_ptr<Environment> environment_;
    std::unique_ptr<sim::Simulation> simulation_;
    std::unique_ptr<AppViewModel> vm_;
    std::unique_ptr<MainWindow> shell_;
    QQuickWindow* window_ = nullptr;
    QLocale::Language language_ = QLocale::English;
    bool dark_ = false;
};

} // namespace kelvara
