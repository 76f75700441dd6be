#include "MainThread.h"

#include <QCoreApplication>
#include <QThread>

#include <condition_variable>
#include <deque>
#include <mutex>

namespace kelvara {

namespace {

// Work for the main thread passes through a queue of our own under a standard mutex, so
// the hand-over is visible to ThreadSanitizer (Qt's own locks are not instrumented).
// The Qt event only wakes the main thread up.
class Dispatcher : public QObject {
    Q_OBJECT
public:
    void push(std::function<void()> fn) {
        {
            std::lock_guard lock(mutex_);
            queue_.push_back(std::move(fn));
        }
        QMetaObject::invokeMethod(this, "drain", Qt::QueuedConnection);
    }

public slots:
    void drain() {
        for (;;) {
            std::function<void()> fn;
            {
                std::lock_guard lock(mutex_);
                if (queue_.empty())
                    return;
                fn = std::move(queue_.front());
                queue_.pop_front();
            }
            fn();
        }
    }

private:
    std::mutex mutex_;
    std::deque<std::function<void()>> queue_;
};

Dispatcher& dispatcher() {
    // Lives as long as the process: workers may still post while the application ends.
    static Dispatcher* d = [] {
        auto* created = new Dispatcher;
        created->moveToThread(QCoreApplication::instance()->thread());
        return created;
    }();
    return *d;
}

} // namespace

bool MainThread::isCurrent() {
    auto* app = QCoreApplication::instance();
    return !app || QThread::currentThread() == app->thread();
}

void MainThread::post(std::function<void()> fn) {
    if (!QCoreApplication::instance()) {
        fn();
        return;
    }
    dispatcher().push(std::move(fn));
}

void MainThread::call(const std::function<void()>& fn) {
    if (isCurrent()) {
        fn();
        return;
    }
    std::mutex mutex;
    std::condition_variable doneChanged;
    bool done = false;
    post([&] {
        fn();
        std::lock_guard lock(mutex);
        done = true;
        doneChanged.notify_one();
    });
    std::unique_lock lock(mutex);
    doneChanged.wait(lock, [&] { return done; });
}

} // namespace kelvara

#include "MainThread.moc"
