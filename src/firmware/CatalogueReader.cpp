#include "CatalogueReader.h"

#include "platform/Diagnostics.h"
#include "platform/HttpClient.h"
#include "platform/Timings.h"
#include "platform/WorkerQueue.h"

#include <QUrl>
#include <QXmlStreamReader>

#include <mutex>

namespace kelvara {

// Lets a completion find out whether its reader still exists. Recursive, because
// onComplete may destroy the reader on the thread that is completing.
struct CatalogueReader::Life {
    std::recursive_mutex mutex;
    bool alive = true;
};

namespace {

// Only plain printable ASCII: a model name that would need escaping cannot be meant.
QUrl usableUrl(const QString& address) {
    for (const QChar c : address) {
        if (c.unicode() <= 0x20 || c.unicode() >= 0x7f)
            return {};
    }
    const QUrl url(address, QUrl::StrictMode);
    if (!url.isValid())
        return {};
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("file"))
        return url.path().startsWith(QLatin1Char('/')) ? url : QUrl();
    if ((scheme == QLatin1String("http") || scheme == QLatin1String("https")) &&
        !url.host().isEmpty())
        return url;
    return {};
}

} // namespace

CatalogueReader::CatalogueReader() : life_(std::make_shared<Life>()) {}

CatalogueReader::~CatalogueReader() {
    stop();
}

void CatalogueReader::stop() {
    std::lock_guard lock(life_->mutex);
    life_->alive = false;
}

void CatalogueReader::requestFile(const QString& address) {
    std::shared_ptr<Life> life = life_;
    auto finish = [this, life](const HttpResponse& response) {
        std::lock_guard lock(life->mutex);
        if (!life->alive)
            return;
        completed_ = false;
        if (response.received && response.status == 200)
            parse(response.body);
        else
            complete(response.received && response.status == 404);
    };

    const QUrl url = usableUrl(address);
    if (url.isEmpty()) {
        WorkerQueue::post([finish] { finish(HttpResponse{}); });
        return;
    }
    HttpRequest request;
    request.url = url;
    request.timeoutSeconds = Timings::current().httpTimeout;
    request.maxBytes = HttpRequest::catalogueCap;
    HttpClient::shared()->get(request, std::move(finish));
}

void CatalogueReader::parse(const QByteArray& document) {
    completed_ = false;
    QXmlStreamReader xml(document);
    xml.setNamespaceProcessing(false);
    for (;;) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartDocument:
            startDocument();
            break;
        case QXmlStreamReader::DTD:
            // Catalogues have none; refusing them stops entity-expansion bombs at once.
            xml.raiseError(QStringLiteral("document type declarations are not accepted"));
            break;
        case QXmlStreamReader::StartElement:
            startElement(xml.qualifiedName().toString());
            break;
        case QXmlStreamReader::Characters:
            characters(xml.text().toString());
            break;
        case QXmlStreamReader::EndElement:
            endElement(xml.qualifiedName().toString());
            break;
        case QXmlStreamReader::EndDocument:
            endDocument();
            return;
        case QXmlStreamReader::Invalid:
            parseError(xml.errorString());
            return;
        default:
            break; // comments, processing instructions
        }
    }
}

void CatalogueReader::startElement(const QString& name) {
    Diagnostics::line(QLatin1Char('<') + name + QLatin1Char('>'));
    parseKey = name;
}

void CatalogueReader::characters(const QString& text) {
    Diagnostics::line(text);
    if (text == QLatin1String("\n"))
        return;
    store(parseKey, text);
}

void CatalogueReader::endElement(const QString& name) {
    Diagnostics::line(QLatin1String("</") + name + QLatin1Char('>'));
    parseKey.clear();
}

void CatalogueReader::endDocument() {
    Diagnostics::line(QStringLiteral("parse end"));
    complete(true);
}

void CatalogueReader::parseError(const QString& description) {
    Diagnostics::line(QLatin1String("error:") + description);
    complete(false);
}

void CatalogueReader::complete(bool success) {
    if (completed_)
        return;
    completed_ = true;
    // The reader may be gone once this returns.
    onComplete(success);
}

} // namespace kelvara
