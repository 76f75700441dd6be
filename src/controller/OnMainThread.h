#pragma once

#include "link/LensClient.h"
#include "platform/MainThread.h"

#include <QPointer>

namespace kelvara {

// Lens completions arrive on the main thread or on a worker; the controller continues
// on the main thread, and not at all once the receiver is gone.
template <typename Receiver>
LensClient::Completion onMainThread(Receiver* receiver,
                                    std::function<void(bool ok, const Bytes& data)> fn) {
    QPointer<Receiver> guard(receiver);
    return [guard, fn = std::move(fn)](bool ok, const Bytes& data) {
        MainThread::post([guard, fn, ok, data] {
            if (guard)
                fn(ok, data);
        });
    };
}

} // namespace kelvara
