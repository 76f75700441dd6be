#pragma once

#include "CompletionRecorder.h"
#include "link/LensClient.h"

#include <QTest>

#include <memory>
#include <optional>

namespace kelvara::test {

// Runs one exchange through the link and waits for its completion while the event loop
// turns: whether the lens answered well, and its data; nothing when it never completed.
inline std::optional<std::pair<bool, Bytes>> exchangeNow(const CommDataFormat& frame,
                                                         bool withStatus = true) {
    // Shared, so that a completion after the wait gave up still has somewhere to go.
    auto calls = std::make_shared<Recorder<bool, const Bytes&>>();
    LensClient::Completion done = [calls, record = calls->callback()](bool ok, const Bytes& data) {
        record(ok, data);
    };
    LensClient::exchange(frame, withStatus ? LensClient::withStatus(done) : done);
    if (!QTest::qWaitFor([&] { return calls->count() > 0; }, 3000))
        return std::nullopt;
    return calls->first();
}

} // namespace kelvara::test
