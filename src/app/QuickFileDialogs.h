#pragma once

#include "controller/FileDialogs.h"

#include <QObject>
#include <QString>
#include <QUrl>
#include <QtQml/qqmlregistration.h>

class QJSEngine;
class QQmlEngine;

namespace kelvara {

// The save and open panels of the window: the controller's request becomes a signal
// that the window answers with a file dialog, and the dialog's answer comes back
// through finish(). One request is open at a time; a newer one cancels the older.
class QuickFileDialogs : public QObject, public FileDialogs {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON

  public:
    explicit QuickFileDialogs(QObject* parent = nullptr);
    // The panels of the window whose engine asks.
    static QuickFileDialogs* create(QQmlEngine* engine, QJSEngine*);

    void chooseSaveFile(const QString& proposedName, const QString& extension,
                        Done done) override;
    void chooseOpenFile(const QString& extension, Done done) override;

    // The dialog's answer: the chosen file, or an empty address when cancelled. A saved
    // file without the requested extension gets it appended.
    Q_INVOKABLE void finish(const QUrl& file);
    bool pending() const { return bool(done_); }

  signals:
    void saveRequested(const QString& proposedName, const QString& extension);
    void openRequested(const QString& extension);

  private:
    void begin(Done done, const QString& extension, bool saving);

    Done done_;
    QString extension_;
    bool saving_ = false;
};

} // namespace kelvara
