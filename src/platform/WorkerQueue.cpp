#include "WorkerQueue.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace kelvara {

namespace {

// A thread is started whenever no idle one is waiting, so a task blocked on a lock or a
// sleep never holds up the task that would release it. Idle threads end after a while.
class Pool {
public:
    void post(std::function<void()> task) {
        std::lock_guard lock(mutex_);
        tasks_.push_back(std::move(task));
        if (tasks_.size() > std::size_t(waiting_))
            std::thread([this] { work(); }).detach();
        else
            wake_.notify_one();
    }

private:
    void work() {
        std::unique_lock lock(mutex_);
        for (;;) {
            ++waiting_;
            const bool hasTask = wake_.wait_for(lock, std::chrono::seconds(5),
                                                [this] { return !tasks_.empty(); });
            --waiting_;
            if (!hasTask)
                return;
            std::function<void()> task = std::move(tasks_.front());
            tasks_.pop_front();
            lock.unlock();
            task();
            lock.lock();
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> tasks_;
    int waiting_ = 0;
};

Pool& pool() {
    // Never destroyed: a task may still be blocked when the process ends.
    static Pool* p = new Pool;
    return *p;
}

} // namespace

void WorkerQueue::post(std::function<void()> task) {
    pool().post(std::move(task));
}

} // namespace kelvara
