#pragma once

#include <functional>

namespace kelvara {

// Background work that may block on semaphores and sleeps (lens exchanges, firmware
// steps). The pool is large so that blocked tasks never starve the ones they wait for.
class WorkerQueue {
public:
    static void post(std::function<void()> task);
};

} // namespace kelvara
