#include "QtHttpClient.h"

#include "Diagnostics.h"
#include "WorkerQueue.h"

#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <set>

namespace kelvara {

namespace {

struct Pending {
    HttpRequest request;
    HttpClient::Completion completion;
};

HttpResponse failure(const QString& error) {
    HttpResponse response;
    response.error = error;
    return response;
}

HttpResponse tooLarge(qint64 cap) {
    HttpResponse response = failure(QStringLiteral("response larger than %1 bytes").arg(cap));
    response.tooLarge = true;
    return response;
}

// Status errors of QNetworkReply: an HTTP response did arrive (4xx and 5xx).
bool isHttpStatusError(QNetworkReply::NetworkError error) {
    return (error >= QNetworkReply::ContentAccessDenied &&
            error <= QNetworkReply::UnknownContentError) ||
           (error >= QNetworkReply::InternalServerError &&
            error <= QNetworkReply::UnknownServerError);
}

HttpResponse readLocalFile(const HttpRequest& request) {
    const QString path = request.url.toLocalFile();
    const QFileInfo info(path);
    HttpResponse response;
    if (!info.exists()) {
        response.received = true;
        response.status = 404;
        return response;
    }
    if (info.size() > request.maxBytes)
        return tooLarge(request.maxBytes);
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return failure(QStringLiteral("cannot read %1").arg(path));
    response.body = file.read(request.maxBytes + 1);
    if (response.body.size() > request.maxBytes)
        return tooLarge(request.maxBytes);
    response.received = true;
    response.status = 200;
    return response;
}

// The system's certificate authorities, and those of the PEM file named by SSL_CERT_FILE
// as OpenSSL-based programs take it (a mirror with a private authority, say). Setting
// the list ends Qt's loading of system roots on demand, so they are listed too.
QSslConfiguration trustedAuthorities() {
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    const QString file = qEnvironmentVariable("SSL_CERT_FILE");
    if (!file.isEmpty())
        tls.setCaCertificates(QSslConfiguration::systemCaCertificates() +
                              QSslCertificate::fromPath(file));
    return tls;
}

// Lives on the network thread. It is woken by a queued call by name, which carries nothing
// of ours through Qt's event queue: ThreadSanitizer cannot see into that queue, only into
// the worker's standard mutex, so every request travels under that mutex.
class Host : public QObject {
    Q_OBJECT
  public:
    std::function<void()> onDrain;
    std::function<void()> onStop;
    Q_INVOKABLE void drain() { onDrain(); }
    Q_INVOKABLE void stop() { onStop(); }
};

// What one reply's handlers share. A child of the reply, it goes with the reply on the
// network thread; the handlers hold only plain pointers to it, because Qt may let go of a
// handler on its own network-access thread, and a handler that owned something would
// destroy it there.
class ReplyState : public QObject {
  public:
    ReplyState(QNetworkReply* reply, HttpClient::Completion done, qint64 maxBytes)
        : QObject(reply), completion(std::move(done)), cap(maxBytes) {}

    // The client gives up on the reply: the first reason is the one reported.
    void giveUp(const HttpResponse& why) {
        if (failure.error.isEmpty())
            failure = why;
        static_cast<QNetworkReply*>(parent())->abort();
    }

    HttpClient::Completion completion;
    qint64 cap = 0;
    HttpResponse failure; // set when the client gave up on the reply
    bool done = false;
};

} // namespace

// Owns the network thread. Requests reach it through a queue under a standard mutex.
class QtHttpClient::Worker {
  public:
    Worker() {
        host_.onDrain = [this] { drain(); };
        host_.onStop = [this] {
            drain(); // fails what was queued but not started
            // Aborting finishes each reply at once, with its completion.
            const std::set<QNetworkReply*> running = running_;
            for (QNetworkReply* reply : running)
                reply->abort();
            delete manager_;
            manager_ = nullptr;
            QThread::currentThread()->quit();
            // The destructor takes the mutex after the join, which Qt does invisibly to
            // ThreadSanitizer: this hands it what the thread touched last.
            std::lock_guard lock(mutex_);
        };
        host_.moveToThread(&thread_);
        thread_.setObjectName(QStringLiteral("kelvara-http"));
        thread_.start();
    }

    ~Worker() {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        QMetaObject::invokeMethod(&host_, "stop", Qt::QueuedConnection);
        thread_.wait();
        std::lock_guard lock(mutex_);
    }

    void post(Pending pending) {
        {
            std::lock_guard lock(mutex_);
            if (!stopping_) {
                queue_.push_back(std::move(pending));
                QMetaObject::invokeMethod(&host_, "drain", Qt::QueuedConnection);
                return;
            }
        }
        WorkerQueue::post([completion = std::move(pending.completion)] {
            completion(failure(QStringLiteral("HTTP client stopped")));
        });
    }

  private:
    void drain() {
        for (;;) {
            Pending pending;
            bool stopping = false;
            {
                std::lock_guard lock(mutex_);
                if (queue_.empty())
                    return;
                pending = std::move(queue_.front());
                queue_.pop_front();
                stopping = stopping_;
            }
            if (stopping)
                pending.completion(failure(QStringLiteral("HTTP client stopped")));
            else if (pending.request.url.isLocalFile())
                pending.completion(readLocalFile(pending.request));
            else
                start(std::move(pending));
        }
    }

    void start(Pending pending) {
        if (!manager_) {
            manager_ = new QNetworkAccessManager;
            manager_->setCache(nullptr);
        }
        QNetworkRequest request(pending.request.url);
        // Plain HTTP never waits for the TLS library to load.
        if (pending.request.url.scheme() == QLatin1String("https")) {
            if (!tls_)
                tls_ = trustedAuthorities();
            request.setSslConfiguration(*tls_);
        }
        request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                             QNetworkRequest::AlwaysNetwork);
        request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
        QNetworkReply* reply = manager_->get(request);
        running_.insert(reply);

        auto* state = new ReplyState(reply, std::move(pending.completion), pending.request.maxBytes);
        auto* timer = new QTimer(reply);
        timer->setSingleShot(true);
        timer->setInterval(
            std::max(1, int(std::min(pending.request.timeoutSeconds * 1000.0, 2.0e9))));
        QObject::connect(timer, &QTimer::timeout, reply, [state, timer] {
            state->giveUp(failure(QStringLiteral("timed out after %1 ms").arg(timer->interval())));
        });
        QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, [reply, state] {
            const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
            if (length.isValid() && length.toLongLong() > state->cap)
                state->giveUp(tooLarge(state->cap));
        });
        QObject::connect(reply, &QNetworkReply::downloadProgress, reply,
                         [state, timer](qint64 received, qint64) {
                             timer->start();
                             if (received > state->cap)
                                 state->giveUp(tooLarge(state->cap));
                         });
        QObject::connect(reply, &QNetworkReply::finished, reply, [this, reply, state, timer] {
            timer->stop();
            running_.erase(reply);
            reply->deleteLater();
            if (state->done)
                return; // finished twice: the first one answered
            state->done = true;
            state->completion(responseOf(reply, *state));
        });
        timer->start();
    }

    static HttpResponse responseOf(QNetworkReply* reply, const ReplyState& state) {
        if (!state.failure.error.isEmpty())
            return state.failure;
        const QNetworkReply::NetworkError error = reply->error();
        const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
        if (!status.isValid() || (error != QNetworkReply::NoError && !isHttpStatusError(error))) {
            HttpResponse response = failure(reply->errorString());
            // Never tried again over plain HTTP: the reason is all there is to report.
            response.insecure = error == QNetworkReply::SslHandshakeFailedError;
            if (response.insecure)
                Diagnostics::line(reply->url().toString() + QStringLiteral(": ") + response.error);
            return response;
        }
        HttpResponse response;
        response.received = true;
        response.status = status.toInt();
        response.body = reply->readAll();
        if (response.body.size() > state.cap)
            return tooLarge(state.cap);
        if (error != QNetworkReply::NoError)
            response.error = reply->errorString();
        return response;
    }

    QThread thread_;
    Host host_;
    std::mutex mutex_;
    std::deque<Pending> queue_;
    bool stopping_ = false;
    // Used on the network thread only.
    QNetworkAccessManager* manager_ = nullptr;
    std::optional<QSslConfiguration> tls_;
    std::set<QNetworkReply*> running_;
};

QtHttpClient::QtHttpClient() : worker_(std::make_unique<Worker>()) {}

QtHttpClient::~QtHttpClient() = default;

void QtHttpClient::get(const HttpRequest& request, Completion completion) {
    worker_->post({request, std::move(completion)});
}

} // namespace kelvara

#include "QtHttpClient.moc"
