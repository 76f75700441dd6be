#include "HttpClient.h"

#include "Environment.h"

namespace kelvara {

std::shared_ptr<HttpClient> HttpClient::shared() {
    return Environment::current()->httpClient();
}

} // namespace kelvara
