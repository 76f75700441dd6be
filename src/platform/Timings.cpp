#include "Timings.h"

#include <mutex>

namespace kelvara {

namespace {
std::mutex timingsMutex;
Timings& stored() {
    static Timings t;
    return t;
}
} // namespace

Timings Timings::current() {
    std::lock_guard lock(timingsMutex);
    return stored();
}

void Timings::set(const Timings& timings) {
    std::lock_guard lock(timingsMutex);
    stored() = timings;
}

} // namespace kelvara
