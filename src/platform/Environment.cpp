#include "Environment.h"

#include "QtHttpClient.h"

#include <QCoreApplication>

#include <cstdio>
#include <vector>

#ifndef KELVARA_UPDATE_BASE_URL
#define KELVARA_UPDATE_BASE_URL "http://update.kelvara.example"
#endif

namespace kelvara {

namespace {

std::mutex registryMutex;
std::vector<std::weak_ptr<Environment>>& created() {
    static std::vector<std::weak_ptr<Environment>> environments;
    return environments;
}

// For code that runs without an environment of its own (tools, tests of single parts).
std::shared_ptr<Environment>& fallback() {
    static std::shared_ptr<Environment> environment;
    return environment;
}

// A default HTTP client owns a thread with a Qt event loop: it must stop while the
// application object still exists.
void dropFallbackClient() {
    std::shared_ptr<Environment> environment;
    {
        std::lock_guard lock(registryMutex);
        environment = fallback();
    }
    if (environment)
        environment->setHttpClient(nullptr);
}

// One form for every source, so that paths can simply be appended.
QString withoutTrailingSlash(QString url) {
    while (url.endsWith(QLatin1Char('/')))
        url.chop(1);
    return url;
}

} // namespace

Environment::Environment(Token) {
    const QString fromEnvironment = qEnvironmentVariable("KELVARA_UPDATE_URL");
    updateBaseUrl_ = withoutTrailingSlash(
        fromEnvironment.isEmpty() ? QStringLiteral(KELVARA_UPDATE_BASE_URL) : fromEnvironment);
}

std::shared_ptr<Environment> Environment::create() {
    auto environment = std::make_shared<Environment>(Token{});
    std::lock_guard lock(registryMutex);
    std::erase_if(created(), [](const auto& e) { return e.expired(); });
    created().push_back(environment);
    return environment;
}

std::shared_ptr<Environment> Environment::current() {
    std::lock_guard lock(registryMutex);
    for (auto it = created().rbegin(); it != created().rend(); ++it)
        if (auto environment = it->lock())
            return environment;
    if (!fallback()) {
        fallback() = std::make_shared<Environment>(Token{});
        qAddPostRoutine(dropFallbackClient);
    }
    return fallback();
}

std::shared_ptr<HttpClient> Environment::httpClient() {
    std::lock_guard lock(mutex_);
    if (!http_)
        http_ = std::make_shared<QtHttpClient>();
    return http_;
}

void Environment::setHttpClient(std::shared_ptr<HttpClient> client) {
    std::shared_ptr<HttpClient> old;
    {
        std::lock_guard lock(mutex_);
        old.swap(http_);
        http_ = std::move(client);
    }
    // `old` ends here, outside the lock: a QtHttpClient waits for its thread.
}

Timings Environment::timings() const {
    std::lock_guard lock(mutex_);
    return timings_;
}

void Environment::setTimings(const Timings& timings) {
    std::lock_guard lock(mutex_);
    timings_ = timings;
}

Diagnostics::Sink Environment::diagnosticSink() const {
    std::lock_guard lock(sinkMutex_);
    return sink_;
}

void Environment::setDiagnosticSink(Diagnostics::Sink sink) {
    std::lock_guard lock(sinkMutex_);
    sink_ = std::move(sink);
}

void Environment::setDiagnosticCopy(Diagnostics::Sink copy) {
    std::lock_guard lock(sinkMutex_);
    copy_ = std::move(copy);
}

void Environment::writeDiagnostic(const QString& line) {
    std::lock_guard lock(sinkMutex_);
    if (copy_)
        copy_(line);
    if (sink_) {
        sink_(line);
        return;
    }
    const QByteArray utf8 = line.toUtf8();
    std::fwrite(utf8.constData(), 1, size_t(utf8.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

QString Environment::preferencesFile() const {
    std::lock_guard lock(mutex_);
    return preferencesFile_;
}

void Environment::setPreferencesFile(const QString& path) {
    std::lock_guard lock(mutex_);
    preferencesFile_ = path;
}

QString Environment::updateBaseUrl() const {
    std::lock_guard lock(mutex_);
    return updateBaseUrl_;
}

void Environment::setUpdateBaseUrl(const QString& url) {
    std::lock_guard lock(mutex_);
    updateBaseUrl_ = withoutTrailingSlash(url);
}

QString Environment::lensModelName() const {
    std::lock_guard lock(mutex_);
    return lensModelName_;
}

void Environment::setLensModelName(const QString& name) {
    std::lock_guard lock(mutex_);
    lensModelName_ = name;
}

QString Environment::lensMountPath() const {
    std::lock_guard lock(mutex_);
    return lensMountPath_;
}

void Environment::setLensMountPath(const QString& path) {
    std::lock_guard lock(mutex_);
    lensMountPath_ = path;
}

std::shared_ptr<Environment::Link>
Environment::link(const std::function<std::shared_ptr<Link>()>& makeDefault) {
    std::lock_guard lock(linkMutex_);
    if (!link_)
        link_ = makeDefault();
    return link_;
}

void Environment::setLink(std::shared_ptr<Link> link) {
    std::lock_guard lock(linkMutex_);
    link_ = std::move(link);
}

} // namespace kelvara
