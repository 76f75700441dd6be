#pragma once

#include "BlockReceiver.h"
#include "Frame.h"
#include "PtyLink.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

class QSocketNotifier;

namespace kelvara::sim {

struct LensState;

// The lens's side of the wire. Lives on the lens's own thread; every member
// function below runs there (VirtualLens hops onto it).
class LensEngine : public QObject {
    Q_OBJECT
  public:
    LensEngine(std::shared_ptr<LensState> state, QString linkPath);
    ~LensEngine() override;

    // Runs work on the lens's thread and waits for it. Call from other threads
    // only. Our own mailbox rather than a blocking queued call, so that every
    // hand-over is visible to the thread sanitizer.
    void call(const std::function<void()>& work);
    // Sets up the mailbox; runs on the lens's thread before its loop starts.
    void attachToThread();

    bool plugIn(QString* error);
    // Pulls the cable; replugMs > 0 plugs it back in after that long.
    void unplug(int replugMs);
    void shutdown();
    int hostBaud() const;
    // Bytes from the host as the line delivers them; answers go out on the link.
    void receive(const QByteArray& bytes);

  signals:
    void requestReceived(quint8 function);
    void plugChanged(bool plugged);
    void imageInstalled(int device, int area);
    void blockReceived(int ordinal);
    void quitRequested();

  private:
    struct Outgoing {
        QByteArray bytes;
        qint64 due = 0;
    };

    void onMail();
    void onReadable();
    void process();
    bool processFramed();
    bool processTransfer();
    void handleFrame(const Frame& request, const QByteArray& raw);
    std::optional<QByteArray> answer(const Frame& request, bool* startTransfer);
    void sendReply(const Frame& request, const QByteArray& data);
    void sendControl(quint8 byte);
    // Line-rate emulation of the transfer: when the bytes just read would have finished
    // arriving, and the lens's answer after them.
    void noteInbound(qsizetype bytes);
    void holdForLine();
    void queueOut(const QByteArray& bytes, int delayMs);
    void pump();
    int transmitMs(qsizetype bytes) const;

    void startTransfer(quint8 device, quint8 area);
    void handleBlock(const BlockReceiver::Event& event);
    void handleEot();
    void finishTransfer(bool install);

    std::shared_ptr<LensState> state_;
    QString linkPath_;
    PtyLink link_;
    QSocketNotifier* notifier_ = nullptr;
    std::mutex mailMutex_;
    std::deque<std::function<void()>> mail_;
    int wakeFd_ = -1;
    QSocketNotifier* wakeNotifier_ = nullptr;
    QByteArray rx_;
    std::deque<Outgoing> out_;
    QElapsedTimer clock_;
    QTimer outTimer_;
    QTimer staleTimer_;
    QTimer idleTimer_;
    QTimer replugTimer_;
    QTimer readRetryTimer_;

    bool transfer_ = false;
    quint8 transferDevice_ = 0;
    quint8 transferArea_ = 0;
    int eots_ = 0;
    BlockReceiver receiver_;
    qint64 inboundEndNs_ = 0;
    qint64 answerDueNs_ = 0;
};

} // namespace kelvara::sim
