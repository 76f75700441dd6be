#include "UpdateServer.h"

#include <QAbstractHttpServer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QMap>
#include <QPointer>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QSslSocket>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <mutex>
#include <optional>

#ifndef KELVARA_SIM_UTILITY_VERSION
#define KELVARA_SIM_UTILITY_VERSION "0.1"
#endif

namespace kelvara::sim {

namespace {

using Status = QHttpServerResponder::StatusCode;

// Values handed across threads are deep copies (Qt's implicit sharing is invisible to
// the thread sanitizer).
QString detached(const QString& s) {
    return QString(s.constData(), s.size());
}
QByteArray detached(const QByteArray& b) {
    return QByteArray(b.constData(), b.size());
}

QByteArray element(const char* name, const QString& text) {
    return QByteArray("<") + name + '>' + text.toHtmlEscaped().toUtf8() + "</" + name + ">\n";
}

QString error(const QString& text) {
    return QStringLiteral("error: ") + text;
}

} // namespace

struct UpdateServer::Content {
    struct Catalogue {
        bool utility = false;
        QString version;
        QString descriptionKey;
        QString firmwareFileName;
        std::optional<LensFirmware> firmware; // lens catalogues only
    };

    mutable std::mutex mutex;
    QMap<QString, Catalogue> catalogues;
    QMap<QString, QByteArray> documents;
    QMap<QString, HttpFault> faults;
    QMap<QString, int> requests;
    quint16 port = 0;
    int connections = 0;
    std::optional<QSslConfiguration> tls;

    // Callers hold the mutex.
    std::optional<QByteArray> render(const QString& path) const {
        if (documents.contains(path))
            return documents.value(path);
        if (!catalogues.contains(path))
            return std::nullopt;
        const Catalogue c = catalogues.value(path);
        const char* root = c.utility ? "KelvaraInfo" : "KelvaraLens";
        QByteArray doc = QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<") + root + ">\n";
        doc += element("Version", c.version);
        if (!c.utility) {
            doc += element("DescriptionKey", c.descriptionKey);
            doc += element("FirmwareFileName", c.firmwareFileName);
        }
        return doc + "</" + root + ">\n";
    }

    // Serves another shape of a lens catalogue's package. Callers hold the mutex.
    bool setKind(const QString& cataloguePath, LensFirmware::Kind kind) {
        auto it = catalogues.find(cataloguePath);
        if (it == catalogues.end() || !it->firmware)
            return false;
        it->descriptionKey = it->firmware->catalogueKey(kind);
        documents.insert(QStringLiteral("/kelvara/lens/") + it->firmwareFileName,
                         it->firmware->package(kind));
        return true;
    }

    // Counts the request and spends one use of the path's fault.
    std::pair<HttpFault, std::optional<QByteArray>> take(const QString& path) {
        std::lock_guard lock(mutex);
        ++requests[path];
        std::optional<QByteArray> body = render(path);
        if (body)
            body = detached(*body);
        HttpFault fault;
        auto it = faults.find(path);
        if (it != faults.end()) {
            fault = *it;
            if (it->remaining > 0 && --it->remaining == 0)
                faults.erase(it);
        }
        return {fault, body};
    }
};

// Our one use of QAbstractHttpServer (a technical preview in Qt 6.4): every path goes
// through handleRequest, and every answer closes its connection.
class UpdateServer::Endpoint : public QAbstractHttpServer {
  public:
    explicit Endpoint(std::shared_ptr<Content> content) : content_(std::move(content)) {}

    ~Endpoint() override {
        // Late answers hold responders: let them go while their sockets still exist.
        qDeleteAll(findChildren<QTimer*>(Qt::FindDirectChildrenOnly));
    }

  protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override {
        auto responder = std::make_shared<QHttpServerResponder>(makeResponder(request, socket));
        if (request.method() != QHttpServerRequest::Method::Get) {
            answer(*responder, socket, "only GET\n", Status::MethodNotAllowed);
            return true;
        }
        const auto [fault, body] = content_->take(request.url().path());
        if (!body) {
            answer(*responder, socket, "not found\n", Status::NotFound);
            return true;
        }
        switch (fault.kind) {
        case HttpFault::None:
            answer(*responder, socket, *body, Status::Ok);
            break;
        case HttpFault::NotFound:
            answer(*responder, socket, "not found\n", Status::NotFound);
            break;
        case HttpFault::ServerError:
            answer(*responder, socket, "server error\n", Status::InternalServerError);
            break;
        case HttpFault::Slow:
            answerLater(responder, socket, *body, fault.delayMs);
            break;
        case HttpFault::Truncated:
            // Declares the whole body, sends half, hangs up.
            responder->writeStatusLine(Status::Ok);
            responder->writeHeader("Content-Type", "application/xml");
            responder->writeHeader("Content-Length", QByteArray::number(body->size()));
            responder->writeHeader("Connection", "close");
            responder->writeBody(body->left(body->size() / 2));
            socket->disconnectFromHost();
            break;
        case HttpFault::Oversized: {
            // Still a well-formed document: only its size is wrong.
            QByteArray padded = *body;
            const qsizetype rootStart = padded.indexOf("?>") + 2;
            padded.insert(rootStart, "\n<!--" + QByteArray(kOversize, 'x') + "-->");
            answer(*responder, socket, padded, Status::Ok);
            break;
        }
        case HttpFault::Malformed: {
            // Values before the break parse; the root's end tag does not match.
            QByteArray broken = *body;
            broken.insert(broken.lastIndexOf("</") + 2, "Broken");
            answer(*responder, socket, broken, Status::Ok);
            break;
        }
        }
        return true;
    }

    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override {
        QHttpServerResponder responder = makeResponder(request, socket);
        answer(responder, socket, "not found\n", Status::NotFound);
    }

  private:
    static void answer(QHttpServerResponder& responder, QTcpSocket* socket, const QByteArray& body,
                       Status status) {
        const QByteArray type = status == Status::Ok ? "application/xml" : "text/plain";
        responder.write(body, {{"Content-Type", type}, {"Connection", "close"}}, status);
        socket->disconnectFromHost();
    }

    void answerLater(std::shared_ptr<QHttpServerResponder> responder, QTcpSocket* socket,
                     const QByteArray& body, int delayMs) {
        auto* timer = new QTimer(this);
        timer->setSingleShot(true);
        QPointer<QTcpSocket> alive(socket);
        QObject::connect(timer, &QTimer::timeout, this, [timer, responder, alive, body] {
            // The client may have given up meanwhile.
            if (alive && alive->state() == QAbstractSocket::ConnectedState)
                answer(*responder, alive, body, Status::Ok);
            timer->deleteLater();
        });
        timer->start(delayMs);
    }

    std::shared_ptr<Content> content_;
};

UpdateServer::UpdateServer() : content_(std::make_shared<Content>()) {
    Content::Catalogue utility;
    utility.utility = true;
    utility.version = QStringLiteral(KELVARA_SIM_UTILITY_VERSION);
    content_->catalogues.insert(utilityPath(), utility);
}

UpdateServer::~UpdateServer() = default;

bool UpdateServer::start(quint16 port, QString* error) {
    if (endpoint_) {
        if (error)
            *error = QStringLiteral("the update server is already running");
        return false;
    }
    auto endpoint = std::make_unique<Endpoint>(content_);
    {
        std::lock_guard lock(content_->mutex);
        if (content_->tls)
            endpoint->sslSetup(*content_->tls);
    }
    const quint16 bound = endpoint->listen(QHostAddress::LocalHost, port);
    if (bound == 0) {
        if (error)
            *error = QStringLiteral("cannot listen on 127.0.0.1:%1").arg(port);
        return false;
    }
    const auto count = [content = content_] {
        std::lock_guard lock(content->mutex);
        ++content->connections;
    };
    // A TLS server hands a connection on only after its handshake succeeded.
    for (QTcpServer* server : endpoint->servers()) {
        if (auto* tls = qobject_cast<QSslServer*>(server))
            QObject::connect(tls, &QSslServer::startedEncryptionHandshake, tls, count);
        else
            QObject::connect(server, &QTcpServer::newConnection, server, count);
    }
    endpoint_ = std::move(endpoint);
    std::lock_guard lock(content_->mutex);
    content_->port = bound;
    return true;
}

quint16 UpdateServer::port() const {
    std::lock_guard lock(content_->mutex);
    return content_->port;
}

QString UpdateServer::baseUrl() const {
    std::lock_guard lock(content_->mutex);
    return QStringLiteral("%1://127.0.0.1:%2")
        .arg(content_->tls ? QStringLiteral("https") : QStringLiteral("http"))
        .arg(content_->port);
}

bool UpdateServer::setTls(const QString& certificateFile, const QString& keyFile, QString* error) {
    const QList<QSslCertificate> chain = QSslCertificate::fromPath(certificateFile);
    QFile keyPem(keyFile);
    const QSslKey key = keyPem.open(QIODevice::ReadOnly) ? QSslKey(&keyPem, QSsl::Rsa) : QSslKey();
    if (chain.isEmpty() || key.isNull()) {
        if (error)
            *error = chain.isEmpty() ? QStringLiteral("no certificate in %1").arg(certificateFile)
                                     : QStringLiteral("no RSA private key in %1").arg(keyFile);
        return false;
    }
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setLocalCertificateChain(chain);
    tls.setPrivateKey(key);
    tls.setPeerVerifyMode(QSslSocket::VerifyNone);
    std::lock_guard lock(content_->mutex);
    content_->tls = tls;
    return true;
}

int UpdateServer::connectionCount() const {
    std::lock_guard lock(content_->mutex);
    return content_->connections;
}

QString UpdateServer::utilityPath() {
    return QStringLiteral("/kelvara/utility/KelvaraInfoMac.xml");
}

QString UpdateServer::mountSuffix(quint8 mount) {
    switch (mount) {
    case LensProfile::CanonRF:
        return QStringLiteral("RF");
    case LensProfile::NikonZ:
        return QStringLiteral("Z");
    case LensProfile::FujiX:
        return QStringLiteral("X");
    default:
        return QStringLiteral("SE");
    }
}

QString UpdateServer::cataloguePath(const LensProfile& profile) {
    return QStringLiteral("/kelvara/lens/") + profile.modelName + mountSuffix(profile.mount) +
           QStringLiteral(".xml");
}

void UpdateServer::addLens(const LensProfile& profile) {
    const LensFirmware firmware(profile);
    Content::Catalogue c;
    c.version = firmware.version();
    c.descriptionKey = firmware.descriptionKey();
    c.firmwareFileName = firmware.fileName();
    c.firmware = firmware;
    const QByteArray package = firmware.package(LensFirmware::Kind::Single);
    const QString path = cataloguePath(profile);
    std::lock_guard lock(content_->mutex);
    content_->catalogues.insert(detached(path), c);
    content_->documents.insert(detached(packagePath(profile)), package);
}

QString UpdateServer::packagePath(const LensProfile& profile) {
    return QStringLiteral("/kelvara/lens/") + LensFirmware(profile).fileName();
}

bool UpdateServer::setPackageKind(const LensProfile& profile, LensFirmware::Kind kind) {
    std::lock_guard lock(content_->mutex);
    return content_->setKind(cataloguePath(profile), kind);
}

bool UpdateServer::exportMirror(const QString& dir, QString* error) const {
    QMap<QString, QByteArray> files;
    {
        std::lock_guard lock(content_->mutex);
        for (const QString& path : content_->catalogues.keys() + content_->documents.keys())
            files.insert(detached(path), detached(content_->render(path).value_or(QByteArray())));
    }
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        const QString target = QDir(dir).filePath(it.key().mid(1));
        QFile file(target);
        if (!QDir().mkpath(QFileInfo(target).absolutePath()) ||
            !file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(it.value()) != it.value().size()) {
            if (error)
                *error = QStringLiteral("cannot write %1").arg(target);
            return false;
        }
    }
    return true;
}

void UpdateServer::setUtilityVersion(const QString& version) {
    setVersion(utilityPath(), version);
}

bool UpdateServer::setVersion(const QString& path, const QString& version) {
    std::lock_guard lock(content_->mutex);
    auto it = content_->catalogues.find(path);
    if (it == content_->catalogues.end())
        return false;
    it->version = detached(version);
    return true;
}

void UpdateServer::setDocument(const QString& path, const QByteArray& body) {
    std::lock_guard lock(content_->mutex);
    content_->documents.insert(detached(path), detached(body));
}

QByteArray UpdateServer::document(const QString& path) const {
    std::lock_guard lock(content_->mutex);
    return detached(content_->render(path).value_or(QByteArray()));
}

void UpdateServer::setFault(const QString& path, const HttpFault& fault) {
    std::lock_guard lock(content_->mutex);
    if (fault.kind == HttpFault::None || fault.remaining == 0)
        content_->faults.remove(path);
    else
        content_->faults.insert(detached(path), fault);
}

void UpdateServer::clearFaults(const QString& path) {
    std::lock_guard lock(content_->mutex);
    if (path.isEmpty())
        content_->faults.clear();
    else
        content_->faults.remove(path);
}

int UpdateServer::requestCount(const QString& path) const {
    std::lock_guard lock(content_->mutex);
    return content_->requests.value(path);
}

bool UpdateServer::isCommand(const QString& line) {
    return line.trimmed().section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty) ==
           QLatin1String("http");
}

QString UpdateServer::execute(const QString& line) {
    // Paths are case-sensitive: only the words of the grammar are matched loosely.
    const QStringList t = line.trimmed().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (t.size() < 2 || t.at(0) != QLatin1String("http"))
        return error(QStringLiteral("usage: http status|fault|clear|version|count ... (see help)"));
    const QString verb = t.at(1).toLower();
    const auto pathOf = [](const QString& word) {
        return word == QLatin1String("utility") ? utilityPath() : word;
    };

    if (verb == QLatin1String("status") && t.size() == 2) {
        std::lock_guard lock(content_->mutex);
        QStringList faults;
        for (auto it = content_->faults.cbegin(); it != content_->faults.cend(); ++it)
            faults << it.key() + QLatin1Char('=') + HttpFault::name(it->kind);
        QStringList paths = content_->catalogues.keys() + content_->documents.keys();
        return QStringLiteral("ok url=http://127.0.0.1:%1 paths=%2 faults=%3")
            .arg(content_->port)
            .arg(paths.join(QLatin1Char(',')))
            .arg(faults.isEmpty() ? QStringLiteral("-") : faults.join(QLatin1Char(',')));
    }
    if (verb == QLatin1String("fault") && t.size() >= 4) {
        const std::optional<HttpFault::Kind> kind = HttpFault::kindNamed(t.at(3).toLower());
        HttpFault fault;
        qsizetype next = 4;
        bool ok = kind.has_value();
        if (ok) {
            fault.kind = *kind;
            if (fault.kind == HttpFault::Slow) {
                fault.delayMs = t.value(next).toInt(&ok);
                ok = ok && fault.delayMs >= 0 && fault.delayMs <= 3600000;
                ++next;
            }
        }
        if (ok && t.size() == next + 1) {
            if (t.at(next).toLower() == QLatin1String("on"))
                fault.remaining = HttpFault::kForever;
            else
                fault.remaining = t.at(next).toInt(&ok);
            ok = ok && fault.remaining >= HttpFault::kForever;
        } else if (t.size() != next) {
            ok = false;
        }
        if (!ok)
            return error(QStringLiteral(
                "usage: http fault PATH 404|500|slow MS|truncate|oversize|malformed|none [N|on]"));
        setFault(pathOf(t.at(2)), fault);
        return QStringLiteral("ok");
    }
    if (verb == QLatin1String("clear") && t.size() <= 3) {
        clearFaults(t.size() == 3 ? pathOf(t.at(2)) : QString());
        return QStringLiteral("ok");
    }
    if (verb == QLatin1String("version") && t.size() == 4) {
        return setVersion(pathOf(t.at(2)), t.at(3))
                   ? QStringLiteral("ok")
                   : error(QStringLiteral("no catalogue at %1").arg(t.at(2)));
    }
    if (verb == QLatin1String("package") && t.size() == 4) {
        const std::optional<LensFirmware::Kind> kind = LensFirmware::kindNamed(t.at(3).toLower());
        if (!kind)
            return error(QStringLiteral("usage: http package PATH ") +
                         LensFirmware::kindNames().join(QLatin1Char('|')));
        std::lock_guard lock(content_->mutex);
        return content_->setKind(t.at(2), *kind)
                   ? QStringLiteral("ok")
                   : error(QStringLiteral("no lens catalogue at %1").arg(t.at(2)));
    }
    if (verb == QLatin1String("count") && t.size() == 3)
        return QStringLiteral("ok %1").arg(requestCount(pathOf(t.at(2))));
    return error(QStringLiteral("unknown command \"%1\" (try help)").arg(line.trimmed()));
}

QString UpdateServer::help() {
    return QStringLiteral(
        "Update server commands (PATH: a path such as /kelvara/lens/AB12Z.xml, or utility):\n"
        "  http status                      address, served paths, armed faults\n"
        "  http fault PATH KIND [N|on]      spoil the next N answers on PATH (default: until "
        "cleared);\n"
        "                                   KIND: 404, 500, slow MS, truncate, oversize, "
        "malformed, none\n"
        "  http clear [PATH]                drop the faults of PATH, or all\n"
        "  http version PATH TEXT           the Version text of the catalogue at PATH\n"
        "  http count PATH                  requests received for PATH\n"
        "  http package PATH KIND           the firmware package of the lens catalogue at PATH:\n"
        "                                   single, multi, badcrc, badkey, truncated, oversize\n");
}

} // namespace kelvara::sim
