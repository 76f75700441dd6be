#pragma once

#include "platform/HttpClient.h"

#include <QHash>
#include <QList>

#include <mutex>
#include <thread>
#include <vector>

namespace kelvara::test {

// An HttpClient that answers from a table, each answer on a thread of its own after an
// optional delay. Like the real client it fails a body beyond the request's size cap
// and a delay beyond the request's time-out. Unknown addresses get no response.
class FakeHttpClient : public HttpClient {
  public:
    ~FakeHttpClient() override; // waits for the answers still on their way

    void answer(const QString& url, const HttpResponse& response, int delayMs = 0);
    void answer(const QString& url, int status, const QByteArray& body, int delayMs = 0);

    void get(const HttpRequest& request, Completion completion) override;

    QList<HttpRequest> requests() const;

  private:
    struct Route {
        HttpResponse response;
        int delayMs = 0;
    };

    mutable std::mutex mutex_;
    QHash<QString, Route> routes_;
    QList<HttpRequest> requests_;
    std::vector<std::thread> threads_;
};

} // namespace kelvara::test
