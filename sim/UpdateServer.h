#pragma once

#include "HttpFault.h"
#include "LensFirmware.h"
#include "LensProfile.h"

#include <QByteArray>
#include <QString>

#include <memory>

namespace kelvara::sim {

// The update server of the virtual lens: HTTP (or HTTPS, once given a certificate) on
// 127.0.0.1, serving the utility catalogue and one catalogue per lens model, with faults
// per path. Serves on the thread that started it; every other member may be called from
// any thread. Each answer closes its connection (one request per connection).
class UpdateServer {
  public:
    static constexpr qint64 kOversize = qint64(2) << 20; // past any catalogue cap

    UpdateServer();
    ~UpdateServer();
    UpdateServer(const UpdateServer&) = delete;
    UpdateServer& operator=(const UpdateServer&) = delete;

    // Serves HTTPS from the next start, with the certificate chain and RSA private key
    // of these PEM files; false, with the reason, when they cannot be used.
    bool setTls(const QString& certificateFile, const QString& keyFile, QString* error = nullptr);
    // port 0: any free port.
    bool start(quint16 port = 0, QString* error = nullptr);
    quint16 port() const;
    QString baseUrl() const; // "http://127.0.0.1:PORT" or "https://...", no trailing slash
    // Connections accepted, whether or not a request followed on them.
    int connectionCount() const;

    static QString utilityPath();
    static QString cataloguePath(const LensProfile& profile);
    static QString mountSuffix(quint8 mount);

    // A catalogue offering firmware one version above the lens's, and its package under
    // the catalogue's FirmwareFileName (a single image, until setPackageKind).
    void addLens(const LensProfile& profile);
    static QString packagePath(const LensProfile& profile);
    // Serves another shape of the lens's package (and, for BadKey, a broken key text in
    // its catalogue). False when the lens was not added.
    bool setPackageKind(const LensProfile& profile, LensFirmware::Kind kind);
    // Writes every catalogue and package, as served without faults, under dir at their
    // paths: a directory to use as a file:// base URL.
    bool exportMirror(const QString& dir, QString* error = nullptr) const;
    void setUtilityVersion(const QString& version);
    // The Version text of the catalogue at path; false when there is none.
    bool setVersion(const QString& path, const QString& version);
    // Serves body at path as it is (e.g. a firmware package).
    void setDocument(const QString& path, const QByteArray& body);
    // What path serves without faults; empty when nothing is there.
    QByteArray document(const QString& path) const;

    void setFault(const QString& path, const HttpFault& fault);
    void clearFaults(const QString& path = {});
    int requestCount(const QString& path) const;

    // Control commands (first word "http"): one line in, one "ok..." / "error: ..." out.
    static bool isCommand(const QString& line);
    QString execute(const QString& line);
    static QString help();

  private:
    class Endpoint;
    struct Content;
    std::shared_ptr<Content> content_;
    std::unique_ptr<Endpoint> endpoint_;
};

} // namespace kelvara::sim
