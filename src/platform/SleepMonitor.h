#pragma once

#include <QObject>
#include <QTime>

#include <functional>

namespace kelvara {

// The computer going to sleep and waking up. Sleep is announced (goingToSleep) so that
// the lens can be told the host goes away, and so is the wake (wokeUp); both moments are
// logged with their local time.
// The notices come from logind's PrepareForSleep on the system bus; without a bus or logind
// none arrive.
class SleepMonitor : public QObject {
    Q_OBJECT

  public:
    using Clock = std::function<QTime()>;

    explicit SleepMonitor(Clock clock = &QTime::currentTime, QObject* parent = nullptr);

    // Subscribes to the notices; false when there is no system bus to listen on.
    bool listen();

    void receiveSleepNote();
    void receiveWakeNote();

    // Local time of the last notice.
    int hour() const { return hour_; }
    int minute() const { return minute_; }
    int second() const { return second_; }

  signals:
    void goingToSleep();
    void wokeUp();

  private slots:
    void prepareForSleep(bool sleeping);

  private:
    void note(const QString& what);

    Clock clock_;
    int hour_ = 0;
    int minute_ = 0;
    int second_ = 0;
};

} // namespace kelvara
