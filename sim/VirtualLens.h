#pragma once

#include "AdapterMode.h"
#include "FaultPlan.h"
#include "InstalledImage.h"
#include "LensProfile.h"

#include <QByteArray>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <thread>

class QTemporaryDir;

namespace kelvara::sim {

class LensEngine;
struct LensState;

// A lens on its USB dock, reachable as a serial port at linkPath(). It serves
// on its own thread; every public member may be called from any thread, and
// all but stop() also from handlers of its signals, which run on the lens's
// thread.
class VirtualLens : public QObject {
    Q_OBJECT
  public:
    explicit VirtualLens(LensProfile profile, QObject* parent = nullptr);
    ~VirtualLens() override;

    // An empty linkPath publishes the port under a fresh temporary directory.
    bool start(const QString& linkPath = {}, QString* error = nullptr);
    void stop();
    bool isRunning() const;

    QString linkPath() const;
    QString devicePath() const; // the pseudo-terminal behind the link; empty while unplugged
    bool isPlugged() const;

    // Faults. count: > 0 that many times, FaultPlan::kForever until cleared, 0 off.
    void setNoReply(int count, int function = FaultPlan::kAnyFunction);
    void setRefusal(quint8 status, int count = 1, int function = FaultPlan::kAnyFunction);
    void setGarbage(int count);
    void setSplit(int count);
    void setReplyDelay(int ms);
    void setLineRateEmulation(bool on);
    // replugAfterMs <= 0: stays unplugged until plug().
    void unplug(int replugAfterMs = 0);
    bool plug(QString* error = nullptr);
    void unplugOnFunction(quint8 function, int replugAfterMs);
    // ordinal 1 = the first block after a start; the block is not answered.
    void unplugAtBlock(int ordinal, int replugAfterMs);
    void setBlockFault(int ordinal, FaultPlan::BlockFault fault, int count = 1);
    // which = 1 or 2; answer = the byte to send, or FaultPlan::kSilent.
    void setEotAnswer(int which, int answer);
    void setForgetAtWrite(int ordinal);
    void clearFaults();
    QString faultSummary() const;

    void setAttachCode(int code);
    void restoreFactorySettings();
    // Applies one control command (see LensCommand); returns "ok..." or "error: ...".
    QString execute(const QString& commandLine);

    // What a test can observe.
    LensProfile profile() const;
    QByteArray record() const;
    QByteArray settingsImage() const;
    int framesReceived(quint8 function) const;
    int totalFrames() const;
    int badFrames() const;
    QByteArray lastRequest() const;
    QList<InstalledImage> installedImages() const;
    AdapterMode adapterMode() const;
    bool isReceivingFirmware() const;
    int attachCode() const;
    int hostBaudRate() const; // as the host last configured the port; 0 if unknown
    void resetCounters();

  signals:
    void requestReceived(quint8 function);
    void plugChanged(bool plugged);
    void imageInstalled(int device, int area);
    // A well-formed firmware block in sequence arrived (1 = the first after a start),
    // before the lens answers it.
    void blockReceived(int ordinal);

  private:
    void onLensThread(const std::function<void()>& work) const;
    template <typename Fn> auto locked(Fn fn) const;

    std::shared_ptr<LensState> state_;
    // Guards the members below: start/stop against actions from other threads.
    mutable QMutex lifeMutex_;
    std::thread thread_;
    std::thread::id lensThreadId_;
    std::unique_ptr<QTemporaryDir> tempDir_;
    LensEngine* engine_ = nullptr;
    QString linkPath_;
};

} // namespace kelvara::sim
