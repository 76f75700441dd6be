#pragma once

#include "HttpRequest.h"
#include "HttpResponse.h"

#include <functional>
#include <memory>

namespace kelvara {

// GET without cache. The completion is called exactly once, always on a background
// thread of the client (never the main thread, never inside get()).
class HttpClient {
  public:
    using Completion = std::function<void(const HttpResponse&)>;

    virtual ~HttpClient() = default;
    virtual void get(const HttpRequest& request, Completion completion) = 0;

    // The client of the current environment.
    static std::shared_ptr<HttpClient> shared();
};

} // namespace kelvara
