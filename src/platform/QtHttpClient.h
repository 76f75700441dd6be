#pragma once

#include "HttpClient.h"

#include <memory>

namespace kelvara {

// HttpClient over QNetworkAccessManager. The manager and every reply live in one
// thread of this client; completions run there. Also reads file:// addresses (an
// existing file answers 200 with its content, a missing one 404).
class QtHttpClient : public HttpClient {
  public:
    QtHttpClient();
    ~QtHttpClient() override; // fails the requests still running, then stops the thread

    QtHttpClient(const QtHttpClient&) = delete;
    QtHttpClient& operator=(const QtHttpClient&) = delete;

    void get(const HttpRequest& request, Completion completion) override;

  private:
    class Worker;
    std::unique_ptr<Worker> worker_;
};

} // namespace kelvara
