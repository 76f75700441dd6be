#include "ControlServer.h"

#include "UpdateServer.h"
#include "VirtualLens.h"

#include <QLocalServer>
#include <QLocalSocket>

namespace kelvara::sim {

namespace {
// A line longer than this is not a command; drop the client.
constexpr qsizetype kMaxLine = 4096;
} // namespace

ControlServer::ControlServer(VirtualLens& lens, QObject* parent)
    : QObject(parent), lens_(lens), server_(new QLocalServer(this)) {
    connect(server_, &QLocalServer::newConnection, this, &ControlServer::onConnection);
}

ControlServer::~ControlServer() {
    close();
}

bool ControlServer::listen(const QString& path, QString* error) {
    // A socket left behind by a killed run would make listen fail.
    QLocalServer::removeServer(path);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(path)) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, server_->errorString());
        return false;
    }
    return true;
}

void ControlServer::close() {
    if (server_->isListening()) {
        const QString name = server_->fullServerName();
        server_->close();
        QLocalServer::removeServer(name);
    }
}

QString ControlServer::path() const {
    return server_->fullServerName();
}

void ControlServer::setUpdateServer(UpdateServer* updates) {
    updates_ = updates;
}

void ControlServer::onConnection() {
    while (QLocalSocket* client = server_->nextPendingConnection()) {
        connect(client, &QLocalSocket::readyRead, this, [this, client] { onReadable(client); });
        connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
    }
}

void ControlServer::onReadable(QLocalSocket* client) {
    while (client->canReadLine()) {
        const QString line = QString::fromUtf8(client->readLine()).trimmed();
        if (line.isEmpty())
            continue;
        const QString answer = updates_ && UpdateServer::isCommand(line) ? updates_->execute(line)
                                                                         : lens_.execute(line);
        client->write(answer.toUtf8() + '\n');
    }
    if (client->bytesAvailable() > kMaxLine)
        client->abort();
}

} // namespace kelvara::sim
