#pragma once

#include <QCoreApplication>
#include <QList>
#include <QThread>

#include <functional>
#include <mutex>

namespace kelvara::test {

// Thread-safe record of Boolean completions and of how many came on the main thread.
class CompletionRecorder {
  public:
    std::function<void(bool)> callback() {
        return [this](bool ok) {
            std::lock_guard lock(mutex_);
            results_.append(ok);
            if (QThread::currentThread() == qApp->thread())
                ++onMainThread_;
        };
    }
    int count() const {
        std::lock_guard lock(mutex_);
        return int(results_.size());
    }
    bool first() const {
        std::lock_guard lock(mutex_);
        return results_.value(0);
    }
    int mainThreadCalls() const {
        std::lock_guard lock(mutex_);
        return onMainThread_;
    }

  private:
    mutable std::mutex mutex_;
    QList<bool> results_;
    int onMainThread_ = 0;
};

} // namespace kelvara::test
