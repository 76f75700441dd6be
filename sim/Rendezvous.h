#pragma once

#include <condition_variable>
#include <mutex>

namespace kelvara::sim {

// One thread waits until another says it is done. A mutex and a condition rather than a
// future: the thread sanitizer sees through them, not through the futex a future waits on.
class Rendezvous {
  public:
    void arrive() {
        std::lock_guard<std::mutex> lock(mutex_);
        arrived_ = true;
        // Under the lock: the waiter cannot go on, and take this object with it, before
        // the notification is out.
        changed_.notify_one();
    }

    void wait() {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return arrived_; });
    }

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool arrived_ = false;
};

} // namespace kelvara::sim
