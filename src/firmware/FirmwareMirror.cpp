#include "FirmwareMirror.h"

#include "DecodeFirmware.h"
#include "FirmwareUpdateModel.h"
#include "ProductInfoFileModel.h"
#include "ServerModel.h"
#include "UtilityInfoFileModel.h"
#include "platform/HttpClient.h"
#include "platform/MainThread.h"
#include "platform/Timings.h"
#include "platform/WorkerQueue.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace kelvara {

const QString FirmwareMirror::UTILITY_PATH = QStringLiteral("kelvara/utility/KelvaraInfoMac.xml");
const QString FirmwareMirror::LENS_FOLDER = QStringLiteral("kelvara/lens/");

namespace {

using Item = FirmwareMirror::Item;
using Result = FirmwareMirror::Result;

// Whether the answer carries a document; item says why not.
bool answered(const HttpResponse& response, Item& item) {
    if (!response.received) {
        item.result = Result::NoAnswer;
        item.reason = response.error;
        return false;
    }
    if (response.status != 200) {
        item.result = Result::NotOnServer;
        item.reason = QStringLiteral("HTTP %1").arg(response.status);
        return false;
    }
    return true;
}

bool writeWhole(const QString& folder, const QString& relative, const QByteArray& bytes,
                Item& item) {
    const QString path = QDir(folder).filePath(relative);
    item.file = relative;
    QSaveFile file(path);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        item.reason = QStringLiteral("cannot create %1").arg(QFileInfo(path).absolutePath());
    else if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() ||
             !file.commit())
        item.reason = file.errorString();
    else
        return true;
    item.result = Result::NotWritten;
    return false;
}

// Nothing left over once the whole package has been read as images.
bool decodesWhole(const QByteArray& package, const QString& key) {
    DecodeFirmware decoder;
    std::vector<OutputDecrypt> images;
    return decoder.decode(package, images, key) > 0 && decoder.wholePackage();
}

} // namespace

// Runs on the worker queue from one answer to the next request; the items are touched
// by one step at a time.
struct FirmwareMirror::Run : std::enable_shared_from_this<Run> {
    QString base;
    QString folder;
    QStringList models;
    // Not owned: the last answer's closure may end this run on the client's own thread.
    std::weak_ptr<HttpClient> http;
    double timeout = 0;
    Done done;
    QList<Item> items;

    void fetch(const QString& relative, qint64 cap, std::function<void(const HttpResponse&)> then) {
        HttpRequest request;
        request.url = QUrl(base + QLatin1Char('/') + relative);
        request.timeoutSeconds = timeout;
        request.maxBytes = cap;
        const std::shared_ptr<HttpClient> client = http.lock();
        if (!client) {
            HttpResponse gone;
            gone.error = QStringLiteral("HTTP client stopped");
            then(gone);
            return;
        }
        // Off the client's thread: decoding a package takes a while.
        client->get(request, [then = std::move(then)](const HttpResponse& response) {
            WorkerQueue::post([then, response] { then(response); });
        });
    }

    void utility() {
        fetch(UTILITY_PATH, HttpRequest::catalogueCap,
              [self = shared_from_this()](const HttpResponse& r) {
                  Item item;
                  item.file = UTILITY_PATH;
                  if (answered(r, item)) {
                      UtilityInfoFileModel reader;
                      bool parsed = false;
                      reader.onComplete = [&parsed](bool ok) { parsed = ok; };
                      reader.parse(r.body);
                      item.version = reader.version;
                      if (!parsed)
                          item.result = Result::BadCatalogue;
                      else
                          writeWhole(self->folder, UTILITY_PATH, r.body, item);
                  }
                  self->itemDone(item);
              });
    }

    void lens(const QString& model) {
        Item item;
        item.model = model;
        item.file = cataloguePath(model);
        if (!isModelName(model)) {
            item.result = Result::NotOnServer;
            item.reason = QStringLiteral("no catalogue name");
            itemDone(item);
            return;
        }
        fetch(item.file, HttpRequest::catalogueCap,
              [self = shared_from_this(), item](const HttpResponse& r) mutable {
                  if (!answered(r, item)) {
                      self->itemDone(item);
                      return;
                  }
                  ProductInfoFileModel reader;
                  bool parsed = false;
                  reader.onComplete = [&parsed](bool ok) { parsed = ok; };
                  reader.parse(r.body);
                  item.version = reader.version;
                  if (!parsed || !FirmwareUpdateModel::isPackageFileName(reader.firmwareFileName) ||
                      reader.descriptionKey.isEmpty()) {
                      item.result = Result::BadCatalogue;
                      self->itemDone(item);
                      return;
                  }
                  self->package(item, r.body, reader.firmwareFileName, reader.descriptionKey);
              });
    }

    void package(Item item, const QByteArray& catalogue, const QString& name, const QString& key) {
        const QString relative = LENS_FOLDER + name;
        fetch(relative, HttpRequest::packageCap,
              [self = shared_from_this(), item, catalogue, relative,
               key](const HttpResponse& r) mutable {
                  item.file = relative;
                  if (answered(r, item)) {
                      if (!decodesWhole(r.body, key))
                          item.result = Result::BadPackage;
                      else if (writeWhole(self->folder, relative, r.body, item))
                          writeWhole(self->folder, cataloguePath(item.model), catalogue, item);
                  }
                  self->itemDone(item);
              });
    }

    void itemDone(const Item& item) {
        items.append(item);
        const qsizetype next = items.size() - 1;
        if (next < models.size()) {
            lens(models.at(next));
            return;
        }
        MainThread::post([self = shared_from_this()] { self->done(self->items); });
    }
};

void FirmwareMirror::copy(const QString& folder, const QStringList& models, Done done) {
    auto run = std::make_shared<Run>();
    run->base = ServerModel::baseUrl();
    run->folder = folder;
    run->models = models;
    run->http = HttpClient::shared();
    run->timeout = Timings::current().httpTimeout;
    run->done = std::move(done);
    run->utility();
}

bool FirmwareMirror::isModelName(const QString& model) {
    return FirmwareUpdateModel::isPackageFileName(model) &&
           std::all_of(model.begin(), model.end(),
                       [](QChar c) { return c.unicode() > 0x20 && c.unicode() < 0x7f; });
}

QString FirmwareMirror::cataloguePath(const QString& model) {
    return LENS_FOLDER + model + QStringLiteral(".xml");
}

} // namespace kelvara
