#pragma once

#include "platform/HttpClient.h"

#include <functional>
#include <memory>

namespace kelvara {

// The shared HTTP client, counting the requests whose completion has not yet returned:
// a catalogue reader must not be destroyed while its completion parses the answer. A
// request that found no trusted TLS connection is reported on standard error with why.
class TrackedHttpClient : public HttpClient {
  public:
    explicit TrackedHttpClient(std::shared_ptr<HttpClient> inner);
    ~TrackedHttpClient() override;

    void get(const HttpRequest& request, Completion completion) override;
    // Runs done on the main thread once no completion is running or due (at once when
    // none is); a later call replaces an earlier one still waiting.
    void whenIdle(std::function<void()> done);

  private:
    struct State;
    std::shared_ptr<HttpClient> inner_;
    std::shared_ptr<State> state_;
};

} // namespace kelvara
