#include "SleepInhibitor.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace kelvara {

SleepInhibitor::SleepInhibitor(QString what, QString mode, QString who, QString why,
                               QObject* parent)
    : QObject(parent), what_(std::move(what)), mode_(std::move(mode)), who_(std::move(who)),
      why_(std::move(why)) {}

void SleepInhibitor::hold() {
    wanted_ = true;
    if (isHeld() || asking_)
        return;
    QDBusConnection bus = QDBusConnection::systemBus();
    // The lock travels as a file descriptor; a bus that cannot pass one cannot hold it.
    if (!bus.isConnected() ||
        !(bus.connectionCapabilities() & QDBusConnection::UnixFileDescriptorPassing))
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("Inhibit"));
    call << what_ << who_ << why_ << mode_;
    asking_ = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(asking_, &QDBusPendingCallWatcher::finished, this, &SleepInhibitor::granted);
}

void SleepInhibitor::granted(QDBusPendingCallWatcher* call) {
    asking_ = nullptr;
    // The reply keeps a copy of the descriptor until it goes.
    call->deleteLater();
    const QDBusPendingReply<QDBusUnixFileDescriptor> reply = *call;
    if (wanted_ && !reply.isError())
        lock_ = reply.value();
}

void SleepInhibitor::release() {
    wanted_ = false;
    lock_ = QDBusUnixFileDescriptor();
}

} // namespace kelvara
