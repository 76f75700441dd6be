#include "SleepMonitor.h"

#include "Diagnostics.h"

#include <QDBusConnection>

namespace kelvara {

SleepMonitor::SleepMonitor(Clock clock, QObject* parent)
    : QObject(parent), clock_(std::move(clock)) {}

bool SleepMonitor::listen() {
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected())
        return false;
    return bus.connect(QStringLiteral("org.freedesktop.login1"),
                       QStringLiteral("/org/freedesktop/login1"),
                       QStringLiteral("org.freedesktop.login1.Manager"),
                       QStringLiteral("PrepareForSleep"), this, SLOT(prepareForSleep(bool)));
}

void SleepMonitor::prepareForSleep(bool sleeping) {
    if (sleeping)
        receiveSleepNote();
    else
        receiveWakeNote();
}

void SleepMonitor::receiveSleepNote() {
    emit goingToSleep();
    note(QStringLiteral("go to sleep,"));
}

void SleepMonitor::receiveWakeNote() {
    // A lens lost during sleep is found by the detach handling, not here.
    emit wokeUp();
    note(QStringLiteral("wake up,"));
}

void SleepMonitor::note(const QString& what) {
    const QTime now = clock_();
    hour_ = now.hour();
    minute_ = now.minute();
    second_ = now.second();
    Diagnostics::line(what + QString::number(hour_) + QLatin1Char(':') + QString::number(minute_) +
                      QLatin1Char(':') + QString::number(second_));
}

} // namespace kelvara
