#include "TrackedHttpClient.h"

namespace kelvara {

void TrackedHttpClient::get(const HttpRequest& request, Completion completion) {
    ++*pending_;
    inner_->get(request, [pending = pending_, completion = std::move(completion)](
                             const HttpResponse& response) {
        completion(response);
        --*pending;
    });
}

} // namespace kelvara
