#pragma once

#include <QDBusUnixFileDescriptor>
#include <QObject>
#include <QString>

class QDBusPendingCallWatcher;

namespace kelvara {

// One logind inhibitor lock: while it is held, logind holds off what it names ("sleep",
// "sleep:idle:handle-lid-switch"), in "block" mode until it is released, in "delay" mode
// for a short while after announcing the sleep. The lock is the file descriptor logind
// hands out; closing it releases the lock. Without a system bus, or when logind refuses,
// nothing is held and nothing else changes. Main thread only.
class SleepInhibitor : public QObject {
    Q_OBJECT

  public:
    SleepInhibitor(QString what, QString mode, QString who, QString why, QObject* parent = nullptr);

    // Asks logind for the lock unless it is held or asked for already; the answer comes
    // without holding up the caller.
    void hold();
    void release();
    // True once logind granted the lock, until it is released.
    bool isHeld() const { return lock_.isValid(); }

  private:
    void granted(QDBusPendingCallWatcher* call);

    QString what_;
    QString mode_;
    QString who_;
    QString why_;
    bool wanted_ = false;
    QDBusPendingCallWatcher* asking_ = nullptr;
    QDBusUnixFileDescriptor lock_;
};

} // namespace kelvara
