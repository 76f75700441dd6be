#include "SingleInstance.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLocalSocket>
#include <QThread>

namespace kelvara {

SingleInstance::SingleInstance(const QString& directory, int patienceMs, QObject* parent)
    : QObject(parent), directory_(directory), patienceMs_(patienceMs),
      lock_(QDir(directory).filePath(QStringLiteral("kelvara-lens-utility.lock"))) {
    // Stale only when its process is gone, however long the first window has been open.
    lock_.setStaleLockTime(0);
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            socket->disconnectFromServer();
            socket->deleteLater();
            emit activationRequested();
        }
    });
}

SingleInstance::Role SingleInstance::claim() {
    if (lock_.tryLock(0)) {
        // A socket left by a process that died is in the way of listening.
        QLocalServer::removeServer(socketPath());
        server_.setSocketOptions(QLocalServer::UserAccessOption);
        // Without the socket the window still runs; later starts then report NoAnswer.
        server_.listen(socketPath());
        return Role::First;
    }
    // The first start may be between taking the lock and listening.
    QElapsedTimer waited;
    waited.start();
    do {
        QLocalSocket socket;
        socket.connectToServer(socketPath());
        if (socket.waitForConnected(200)) {
            socket.disconnectFromServer();
            return Role::Raised;
        }
        QThread::msleep(50);
    } while (waited.elapsed() < patienceMs_);
    return Role::NoAnswer;
}

qint64 SingleInstance::holder() const {
    qint64 pid = 0;
    QString host;
    QString application;
    return lock_.getLockInfo(&pid, &host, &application) ? pid : 0;
}

QString SingleInstance::socketPath() const {
    return QDir(directory_).filePath(QStringLiteral("kelvara-lens-utility.socket"));
}

} // namespace kelvara
