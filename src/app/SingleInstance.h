#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

namespace kelvara {

// One window per user: the first start holds a lock file and listens on a local socket
// beside it; a later start connects there, which asks the first window to come to the
// front, and ends. Two windows would fight over the dock's port.
class SingleInstance : public QObject {
    Q_OBJECT

  public:
    enum class Role {
        First,    // this process shows the window
        Raised,   // a running window was asked to come to the front
        NoAnswer, // a running window holds the lock but does not answer
    };

    // `directory` is private to the user (the runtime directory); `patienceMs` is how
    // long a later start waits for the first to listen.
    explicit SingleInstance(const QString& directory, int patienceMs = 3000,
                            QObject* parent = nullptr);

    Role claim();
    // The process that holds the lock, for a NoAnswer message; 0 when unknown.
    qint64 holder() const;

  signals:
    void activationRequested();

  private:
    QString socketPath() const;

    QString directory_;
    int patienceMs_;
    QLockFile lock_;
    QLocalServer server_;
};

} // namespace kelvara
