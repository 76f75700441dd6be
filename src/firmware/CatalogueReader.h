#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

namespace kelvara {

// What both catalogue readers share: one GET per requestFile, an event-driven parse of
// the answer on the HTTP client's thread, and exactly one onComplete per request.
// Fields are never cleared between requests: a 404 or a document lacking an element
// keeps the earlier values.
//
// onComplete runs on a background thread; hand the outcome to the main thread with
// MainThread::post (never MainThread::call: destroying a reader waits for a running
// completion). A reader destroyed before its answer arrives drops the outcome.
// Start a new request only after the previous one has completed.
class CatalogueReader {
  public:
    CatalogueReader();
    virtual ~CatalogueReader();

    CatalogueReader(const CatalogueReader&) = delete;
    CatalogueReader& operator=(const CatalogueReader&) = delete;

    // Returns at once. An address that is no usable URL completes with false,
    // without sending anything.
    void requestFile(const QString& address);

    // Parses a whole document synchronously, driving the handlers below. Ends with
    // exactly one onComplete.
    void parse(const QByteArray& document);

    // Parser events.
    virtual void startDocument() = 0;
    void startElement(const QString& name);
    void characters(const QString& text);
    void endElement(const QString& name);
    void endDocument();
    void parseError(const QString& description);

    QString parseKey;
    std::function<void(bool)> onComplete = [](bool) {};
    QString version = QStringLiteral("--");

  protected:
    // Drops any answer still to come and waits for a parse that is running. Each
    // derived reader calls it first in its destructor, while its handlers still exist.
    void stop();

    // Stores the text of the innermost open element named `key`.
    virtual void store(const QString& key, const QString& text) = 0;

  private:
    void complete(bool success);

    struct Life;
    std::shared_ptr<Life> life_;
    bool completed_ = false;
};

} // namespace kelvara
