#include "TrackedHttpClient.h"

#include "Console.h"

#include "platform/MainThread.h"

#include <mutex>

namespace kelvara {

struct TrackedHttpClient::State {
    std::mutex mutex;
    int pending = 0;
    std::function<void()> idle;

    void ended() {
        std::function<void()> done;
        {
            std::lock_guard lock(mutex);
            if (--pending == 0)
                done = std::exchange(idle, {});
        }
        if (done)
            MainThread::post(std::move(done));
    }
};

TrackedHttpClient::TrackedHttpClient(std::shared_ptr<HttpClient> inner)
    : inner_(std::move(inner)), state_(std::make_shared<State>()) {}

TrackedHttpClient::~TrackedHttpClient() = default;

void TrackedHttpClient::get(const HttpRequest& request, Completion completion) {
    {
        std::lock_guard lock(state_->mutex);
        ++state_->pending;
    }
    inner_->get(request, [state = state_, url = request.url,
                          completion = std::move(completion)](const HttpResponse& response) {
        // The outcome says only that the server could not be asked; this says why, ahead
        // of it.
        if (response.insecure)
            MainThread::post([line = url.toString() + QStringLiteral(": ") + response.error] {
                Console::err(line);
            });
        completion(response);
        state->ended();
    });
}

void TrackedHttpClient::whenIdle(std::function<void()> done) {
    {
        std::lock_guard lock(state_->mutex);
        if (state_->pending > 0) {
            state_->idle = std::move(done);
            return;
        }
    }
    done();
}

} // namespace kelvara
