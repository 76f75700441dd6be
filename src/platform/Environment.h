#pragma once

#include "Diagnostics.h"
#include "Timings.h"

#include <QString>

#include <functional>
#include <memory>
#include <mutex>

namespace kelvara {

class HttpClient;

// Everything the program takes from its surroundings: the serial link, the HTTP client,
// the timings, where diagnostic lines go, the preferences file and the update server.
// Each main builds one and each test its own; the shared accessors (HttpClient::shared,
// Timings::current, Diagnostics::line, LensClient, ServerModel) forward to the current one.
class Environment {
    struct Token {};

  public:
    // The link layer's serial transport and adapter list, held without naming them here.
    class Link {
      public:
        virtual ~Link() = default;
    };

    // A fresh environment that is the current one until it ends or a newer one is created.
    static std::shared_ptr<Environment> create();
    // The newest environment still alive; a default one when none was created.
    static std::shared_ptr<Environment> current();

    explicit Environment(Token);
    Environment(const Environment&) = delete;
    Environment& operator=(const Environment&) = delete;

    // A QtHttpClient is created on first use unless a client was set.
    std::shared_ptr<HttpClient> httpClient();
    void setHttpClient(std::shared_ptr<HttpClient> client);

    Timings timings() const;
    void setTimings(const Timings& timings);

    // Diagnostic lines go to standard output while the sink is empty. A sink, once
    // replaced, is no longer called.
    Diagnostics::Sink diagnosticSink() const;
    void setDiagnosticSink(Diagnostics::Sink sink);
    // Every line also goes to the copy, wherever the sink sends it (the window's log).
    void setDiagnosticCopy(Diagnostics::Sink copy);
    void writeDiagnostic(const QString& line);

    // Empty: the user's preferences store; otherwise an INI file at this path.
    QString preferencesFile() const;
    void setPreferencesFile(const QString& path);

    // The build setting KELVARA_UPDATE_BASE_URL, unless KELVARA_UPDATE_URL or
    // setUpdateBaseUrl (--server) overrides it; never ends in '/'.
    QString updateBaseUrl() const;
    void setUpdateBaseUrl(const QString& url);
    // The connected lens's model name and mount path, for its firmware content address.
    QString lensModelName() const;
    void setLensModelName(const QString& name);
    QString lensMountPath() const;
    void setLensMountPath(const QString& path);

    // The link objects; made by makeDefault on first use unless set.
    std::shared_ptr<Link> link(const std::function<std::shared_ptr<Link>()>& makeDefault);
    void setLink(std::shared_ptr<Link> link);

  private:
    mutable std::mutex mutex_;
    // Apart: making the link waits for the main thread, which may want the other values.
    std::mutex linkMutex_;
    // Held while a line is written, so that lines never interleave.
    mutable std::mutex sinkMutex_;
    std::shared_ptr<HttpClient> http_;
    Timings timings_;
    Diagnostics::Sink sink_;
    Diagnostics::Sink copy_;
    QString preferencesFile_;
    QString updateBaseUrl_;
    QString lensModelName_;
    QString lensMountPath_;
    std::shared_ptr<Link> link_;
};

} // namespace kelvara
