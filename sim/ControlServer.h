#pragma once

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

namespace kelvara::sim {

class UpdateServer;
class VirtualLens;

// Takes control commands on a Unix local socket: one command per line, one
// answer line back.
class ControlServer : public QObject {
    Q_OBJECT
  public:
    explicit ControlServer(VirtualLens& lens, QObject* parent = nullptr);
    ~ControlServer() override;

    bool listen(const QString& path, QString* error);
    void close();
    QString path() const;
    // Lines starting with "http" go to this server, when there is one.
    void setUpdateServer(UpdateServer* updates);

  private:
    void onConnection();
    void onReadable(QLocalSocket* client);

    VirtualLens& lens_;
    UpdateServer* updates_ = nullptr;
    QLocalServer* server_;
};

} // namespace kelvara::sim
