#include "MainThread.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QThread>

#include <sys/eventfd.h>
#include <unistd.h>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>

namespace kelvara {

namespace {

// Work for the main thread passes through a queue of our own under a standard mutex and
// the wake-up through an eventfd, so a posting thread never touches Qt's event queue:
// Qt's locks are not instrumented, and ThreadSanitizer would report its list as racy.
class Dispatcher {
public:
    Dispatcher()
        : wakeFd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)), notifier_(wakeFd_, QSocketNotifier::Read) {
        QObject::connect(&notifier_, &QSocketNotifier::activated, &notifier_, [this] { drain(); });
    }

    void push(std::function<void()> fn) {
        {
            std::lock_guard lock(mutex_);
            queue_.push_back(std::move(fn));
        }
        const std::uint64_t one = 1;
        [[maybe_unused]] const auto written = ::write(wakeFd_, &one, sizeof one);
    }

private:
    void drain() {
        std::uint64_t count = 0;
        [[maybe_unused]] const auto read = ::read(wakeFd_, &count, sizeof count);
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

    int wakeFd_;
    QSocketNotifier notifier_;
    std::mutex mutex_;
    std::deque<std::function<void()>> queue_;
};

// Made on the main thread as the application starts, so its notifier belongs there.
// Never destroyed: workers may still post while the application ends.
std::atomic<Dispatcher*> theDispatcher{nullptr};

void createDispatcher() {
    if (!theDispatcher.load())
        theDispatcher.store(new Dispatcher);
}

Q_COREAPP_STARTUP_FUNCTION(createDispatcher)

} // namespace

bool MainThread::isCurrent() {
    auto* app = QCoreApplication::instance();
    return !app || QThread::currentThread() == app->thread();
}

void MainThread::post(std::function<void()> fn) {
    Dispatcher* dispatcher = theDispatcher.load();
    if (!dispatcher || !QCoreApplication::instance()) {
        fn();
        return;
    }
    dispatcher->push(std::move(fn));
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
