#pragma once

#include <QCoreApplication>
#include <QList>
#include <QThread>

#include <functional>
#include <mutex>
#include <type_traits>
#include <utility>

namespace kelvara::test {

// One call's arguments: the value itself for one argument, a pair for two.
template <typename... Args> struct CallOf;
template <typename A> struct CallOf<A> { using type = std::decay_t<A>; };
template <typename A, typename B> struct CallOf<A, B> {
    using type = std::pair<std::decay_t<A>, std::decay_t<B>>;
};

// Thread-safe record of a completion's calls and of how many came on the main thread.
template <typename... Args> class Recorder {
  public:
    using Call = typename CallOf<Args...>::type;

    std::function<void(Args...)> callback() {
        return [this](Args... args) {
            std::lock_guard lock(mutex_);
            calls_.append(Call{args...});
            if (QThread::currentThread() == qApp->thread())
                ++onMainThread_;
        };
    }
    int count() const {
        std::lock_guard lock(mutex_);
        return int(calls_.size());
    }
    Call at(int i) const {
        std::lock_guard lock(mutex_);
        return calls_.value(i);
    }
    Call first() const { return at(0); }
    QList<Call> calls() const {
        std::lock_guard lock(mutex_);
        return calls_;
    }
    int mainThreadCalls() const {
        std::lock_guard lock(mutex_);
        return onMainThread_;
    }

  private:
    mutable std::mutex mutex_;
    QList<Call> calls_;
    int onMainThread_ = 0;
};

using CompletionRecorder = Recorder<bool>;

} // namespace kelvara::test
