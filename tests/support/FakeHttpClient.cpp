#include "FakeHttpClient.h"

#include <chrono>

namespace kelvara::test {

FakeHttpClient::~FakeHttpClient() {
    std::vector<std::thread> threads;
    {
        std::lock_guard lock(mutex_);
        threads.swap(threads_);
    }
    for (std::thread& thread : threads)
        thread.join();
}

void FakeHttpClient::answer(const QString& url, const HttpResponse& response, int delayMs) {
    std::lock_guard lock(mutex_);
    routes_.insert(url, {response, delayMs});
}

void FakeHttpClient::answer(const QString& url, int status, const QByteArray& body, int delayMs) {
    HttpResponse response;
    response.received = true;
    response.status = status;
    response.body = body;
    answer(url, response, delayMs);
}

void FakeHttpClient::get(const HttpRequest& request, Completion completion) {
    std::lock_guard lock(mutex_);
    requests_.append(request);
    Route route;
    route.response.error = QStringLiteral("no route");
    route = routes_.value(request.url.toString(), route);

    const int timeoutMs = int(request.timeoutSeconds * 1000.0);
    HttpResponse failed;
    if (route.delayMs > timeoutMs) {
        failed.error = QStringLiteral("timed out");
        route = {failed, timeoutMs};
    } else if (route.response.body.size() > request.maxBytes) {
        failed.error = QStringLiteral("too large");
        failed.tooLarge = true;
        route = {failed, route.delayMs};
    }
    threads_.emplace_back([route, completion = std::move(completion)] {
        std::this_thread::sleep_for(std::chrono::milliseconds(route.delayMs));
        completion(route.response);
    });
}

QList<HttpRequest> FakeHttpClient::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

} // namespace kelvara::test
