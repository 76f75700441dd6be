#include "HttpClient.h"

#include "QtHttpClient.h"

#include <QCoreApplication>

#include <mutex>

namespace kelvara {

namespace {
std::mutex sharedMutex;
std::shared_ptr<HttpClient>& sharedSlot() {
    static std::shared_ptr<HttpClient> client;
    return client;
}

// The default client owns a thread with a Qt event loop: it must stop while the
// application object still exists.
void dropShared() {
    std::shared_ptr<HttpClient> old;
    {
        std::lock_guard lock(sharedMutex);
        old.swap(sharedSlot());
    }
}
} // namespace

std::shared_ptr<HttpClient> HttpClient::shared() {
    std::lock_guard lock(sharedMutex);
    if (!sharedSlot()) {
        static std::once_flag registered;
        std::call_once(registered, [] { qAddPostRoutine(dropShared); });
        sharedSlot() = std::make_shared<QtHttpClient>();
    }
    return sharedSlot();
}

void HttpClient::install(std::shared_ptr<HttpClient> client) {
    std::shared_ptr<HttpClient> old;
    {
        std::lock_guard lock(sharedMutex);
        old.swap(sharedSlot());
        sharedSlot() = std::move(client);
    }
    // `old` ends here, outside the lock: a QtHttpClient waits for its thread.
}

} // namespace kelvara
