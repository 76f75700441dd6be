#pragma once

#include "platform/HttpClient.h"

#include <atomic>
#include <memory>

namespace kelvara {

// The shared HTTP client, counting the requests whose completion has not yet returned:
// a catalogue reader must not be destroyed while its completion parses the answer.
class TrackedHttpClient : public HttpClient {
  public:
    explicit TrackedHttpClient(std::shared_ptr<HttpClient> inner) : inner_(std::move(inner)) {}

    void get(const HttpRequest& request, Completion completion) override;
    int pending() const { return *pending_; }

  private:
    std::shared_ptr<HttpClient> inner_;
    std::shared_ptr<std::atomic<int>> pending_ = std::make_shared<std::atomic<int>>(0);
};

} // namespace kelvara
