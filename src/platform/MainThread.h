#pragma once

#include <functional>

namespace kelvara {

// The application thread owns the serial port, timers and published state.
class MainThread {
public:
    static bool isCurrent();
    // Runs fn on the main thread later, whatever thread calls.
    static void post(std::function<void()> fn);
    // Runs fn on the main thread and returns when it has run: directly when called
    // on the main thread. Never call it from a thread the main thread may wait for.
    static void call(const std::function<void()>& fn);
};

} // namespace kelvara
