#pragma once

#include "platform/HttpClient.h"

namespace kelvara {

// The HTTP client of a command that reads files only: every request fails at once, so
// nothing leaves the computer and nothing waits for a network.
class NoServer : public HttpClient {
  public:
    void get(const HttpRequest& request, Completion completion) override;
};

} // namespace kelvara
