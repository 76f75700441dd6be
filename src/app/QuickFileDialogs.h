#pragma once

#include "controller/FileDialogs.h"

#include <QObject>
#include <QString>
#include <QUrl>
#include <QtQml/qqmlregistration.h>

class QJSEngine;
class QQmlEngine;

namespace kelvara {

// The save, open and folder panels of the window: the controller's request becomes a signal
// that the window answers with a file dialog, and the dialog's answer comes back
// through finish(). One request is open at a time; a newer one cancels the older.
class QuickFileDialogs : public QObject, public FileDialogs {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    // The open request, for a dialog made after it was sent.
    Q_PROPERTY(bool pending READ pending NOTIFY requestChanged)
    Q_PROPERTY(bool saving READ saving NOTIFY requestChanged)
    Q_PROPERTY(bool folder READ folder NOTIFY requestChanged)
    Q_PROPERTY(QString proposedName READ proposedName NOTIFY requestChanged)
    Q_PROPERTY(QString extension READ extension NOTIFY requestChanged)

  public:
    // No default: QML would make a singleton of its own with that instead of create().
    explicit QuickFileDialogs(QObject* parent);
    // The panels of the window whose engine asks.
    static QuickFileDialogs* create(QQmlEngine* engine, QJSEngine*);

    void chooseSaveFile(const QString& proposedName, const QString& extension,
                        Done done) override;
    void chooseOpenFile(const QString& extension, Done done) override;
    void chooseFolder(Done done) override;

    // The dialog's answer: the chosen file, or an empty address when cancelled. A saved
    // file without the requested extension gets it appended.
    Q_INVOKABLE void finish(const QUrl& file);
    bool pending() const { return bool(done_); }
    bool saving() const { return saving_; }
    bool folder() const { return folder_; }
    QString proposedName() const { return proposedName_; }
    QString extension() const { return extension_; }

  signals:
    void saveRequested(const QString& proposedName, const QString& extension);
    void openRequested(const QString& extension);
    void folderRequested();
    void requestChanged();

  private:
    void begin(Done done, const QString& proposedName, const QString& extension, bool saving,
               bool folder = false);

    Done done_;
    QString proposedName_;
    QString extension_;
    bool saving_ = false;
    bool folder_ = false;
};

} // namespace kelvara
