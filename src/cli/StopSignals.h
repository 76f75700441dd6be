#pragma once

#include <QObject>
#include <QString>

class QSocketNotifier;

namespace kelvara {

// SIGINT, SIGTERM and SIGHUP delivered as a Qt signal on the main thread: the handler only
// writes the signal's number into a pipe that a socket notifier watches. SIGPIPE is
// ignored, so that output to a reader that went away is a failed write, not the end.
// One per process.
class StopSignals : public QObject {
    Q_OBJECT
  public:
    explicit StopSignals(QObject* parent = nullptr);
    // Puts the default handlers back.
    ~StopSignals() override;

    // False, with the reason, when the pipe or a handler cannot be set up.
    bool install(QString* error);
    // The status a shell gives a program that a signal ended: 128 + its number.
    static int exitStatus(int signal) { return 128 + signal; }

  signals:
    void received(int signal);

  private:
    void onReadable();

    QSocketNotifier* notifier_ = nullptr;
};

} // namespace kelvara
