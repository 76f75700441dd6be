// The catalogue readers over a fake HTTP client that answers on its own threads: what
// the documents leave in the fields, how each HTTP outcome completes (once, never on
// the main thread), hostile documents, unusable addresses, and the server addresses.
#include "CompletionRecorder.h"
#include "DiagnosticCapture.h"
#include "FakeHttpClient.h"
#include "Rows.h"
#include "firmware/ProductInfoFileModel.h"
#include "firmware/ServerModel.h"
#include "firmware/UtilityInfoFileModel.h"
#include "model/MountType.h"
#include "platform/Environment.h"
#include "platform/Texts.h"

#include <QElapsedTimer>
#include <QTest>

#include <mutex>

using namespace kelvara;

namespace {

using test::row;
using test::rows;

const QString address = QStringLiteral("http://update.test/kelvara/lens/AB12Z.xml");

QByteArray billionLaughs() {
    QByteArray doc = "<?xml version=\"1.0\"?>\n<!DOCTYPE c [\n<!ENTITY l0 \"lol\">\n";
    for (int i = 1; i <= 9; ++i) {
        doc += "<!ENTITY l" + QByteArray::number(i) + " \"";
        for (int j = 0; j < 10; ++j)
            doc += "&l" + QByteArray::number(i - 1) + ";";
        doc += "\">\n";
    }
    return doc + "]>\n<c><Version>&l9;</Version></c>";
}

} // namespace

class TestCatalogue : public QObject {
    Q_OBJECT

    std::shared_ptr<Environment> environment;
    std::shared_ptr<test::FakeHttpClient> http;

    // Requests `url` on `reader`; waits for the completion, then `settleMs` longer to see
    // that no second one follows.
    static bool request(CatalogueReader& reader, const QString& url, int settleMs = 20) {
        test::CompletionRecorder outcomes;
        reader.onComplete = outcomes.callback();
        reader.requestFile(url);
        if (!QTest::qWaitFor([&] { return outcomes.count() > 0; }, 5000))
            qFatal("no completion");
        QTest::qWait(settleMs);
        if (outcomes.count() != 1 || outcomes.mainThreadCalls() != 0)
            qFatal("completion not exactly once on a background thread");
        return outcomes.first();
    }

    // Requests `doc`, answered with `status`.
    bool fetch(CatalogueReader& reader, const QByteArray& doc, int status = 200) {
        http->answer(address, status, doc);
        return request(reader, address);
    }

    static QStringList fieldsOf(const ProductInfoFileModel& p) {
        return {p.version, p.displayNewVersion, p.descriptionKey, p.firmwareFileName};
    }

  private slots:
    void initTestCase() {
        // Web addresses come from the string tables, as in the program.
        QVERIFY(!Texts::install(QLocale(QLocale::English)).isEmpty());
    }

    void init() {
        environment = Environment::create();
        http = std::make_shared<test::FakeHttpClient>();
        environment->setHttpClient(http);
    }

    void documents_data() {
        // The document, whether it reads, the version, its display form, key, file name.
        const QStringList none{"--", "--", "", ""};
        rows<QByteArray, bool, QStringList>(
            {{"flat",
              "<?xml version=\"1.0\"?>\n<Lens>\n<Version>1.05</Version>\n<DescriptionKey>ab01"
              "</DescriptionKey>\n<FirmwareFileName>AB12Z_105.bin</FirmwareFileName>\n</Lens>\n",
              true,
              {"1.05", "1", "ab01", "AB12Z_105.bin"}},
             {"nested deep, any root",
              "<x><y a=\"1\"><z><Version>2.10</Version></z></y></x>",
              true,
              {"2.10", "2", "", ""}},
             {"lower case ignored",
              "<r><version>3.00</version><descriptionkey>k</descriptionkey></r>", true, none},
             {"attributes ignored",
              "<r><Version Version=\"9.9\">0.05</Version></r>",
              true,
              {"0.05", "0.05", "", ""}},
             {"text split by comment keeps last piece",
              "<r><Version>1.<!-- c -->07</Version></r>",
              true,
              {"07", "07", "", ""}},
             {"text split by CDATA keeps last piece",
              "<r><Version>4.<![CDATA[02]]></Version></r>",
              true,
              {"02", "02", "", ""}},
             {"entities resolved in one piece",
              "<r><FirmwareFileName>a&amp;b&#65;</FirmwareFileName></r>",
              true,
              {"--", "--", "", "a&bA"}},
             {"lone line feed leaves value", "<r><Version>\n</Version></r>", true, none},
             {"CR LF is a lone line feed too", "<r><Version>\r\n</Version></r>", true, none},
             {"text after a child closed is not stored", "<r><Version><b/>8.01</Version></r>", true,
              none},
             {"last element wins",
              "<r><Version>1.00</Version><Version>105</Version></r>",
              true,
              {"105", "105", "", ""}},
             {"malformed keeps what came before",
              "<r><Version>00.15</Version><DescriptionKey>k</r>",
              false,
              {"00.15", "00.15", "k", ""}},
             {"trailing content", "<r><Version>1.2</Version></r><r/>", false, {"1.2", "1", "", ""}},
             {"truncated", "<r><Version>1.2</Vers", false, {"1.2", "1", "", ""}},
             {"empty body", "", false, none},
             {"undeclared entity", "<r><Version>&v;</Version></r>", false, none},
             {"document type declaration refused", "<!DOCTYPE r><r><Version>5.0</Version></r>",
              false, none}});
    }

    void documents() {
        const auto [doc, ok, fields] = row<QByteArray, bool, QStringList>();
        ProductInfoFileModel product;
        QCOMPARE(fetch(product, doc), ok);
        QCOMPARE(fieldsOf(product), fields);
        QVERIFY(product.parseKey.isEmpty() || !ok);
        UtilityInfoFileModel utility;
        QCOMPARE(fetch(utility, doc), ok);
        QCOMPARE(utility.version, fields[0]);
    }

    // A 404 (success without parsing), a 500, a late and an oversized answer are the faults
    // of tst_catalogue_http; the other answers that are no document fail too, and every
    // request carries the address, the catalogue cap and the time-out.
    void answersWithoutADocumentFail() {
        environment->setTimings({.httpTimeout = 0.15});
        const auto status = [](int code, const QByteArray& body) {
            HttpResponse r;
            r.received = true;
            r.status = code;
            r.body = body;
            return r;
        };
        HttpResponse none;
        none.error = QStringLiteral("Connection refused");
        const QByteArray doc = "<r><Version>7.01</Version></r>";
        for (const HttpResponse& response :
             {status(503, {}), status(301, doc), status(204, {}), none}) {
            const auto http = std::make_shared<test::FakeHttpClient>();
            environment->setHttpClient(http);
            http->answer(address, response);
            ProductInfoFileModel product;
            QVERIFY2(!request(product, address), qPrintable(QString::number(response.status)));
            QCOMPARE(fieldsOf(product), (QStringList{"--", "--", "", ""}));
            const QList<HttpRequest> sent = http->requests();
            QCOMPARE(sent.size(), 1);
            QCOMPARE(sent.at(0).url, QUrl(address));
            QCOMPARE(sent.at(0).maxBytes, HttpRequest::catalogueCap);
            QCOMPARE(sent.at(0).timeoutSeconds, 0.15);
        }
    }

    void reusedReaderKeepsEarlierValues() {
        ProductInfoFileModel product;
        QVERIFY(fetch(product, "<r><Version>2.03</Version><DescriptionKey>k1</DescriptionKey>"
                               "<FirmwareFileName>f1.bin</FirmwareFileName></r>"));

        QCOMPARE(http->requests().value(0).timeoutSeconds, 60.0);
        // A 404 keeps every value, and so does a failure.
        const QStringList first{"2.03", "2", "k1", "f1.bin"};
        QVERIFY(fetch(product, "<r><Version>9.00</Version></r>", 404));
        QCOMPARE(fieldsOf(product), first);
        QVERIFY(!fetch(product, "", 500));
        QCOMPARE(fieldsOf(product), first);
        // A document lacking elements replaces only those it has.
        QVERIFY(fetch(product, "<r><Version>0.04</Version></r>"));
        QCOMPARE(fieldsOf(product), (QStringList{"0.04", "0.04", "k1", "f1.bin"}));
        // The completion of a malformed document on the reused reader is single too.
        QVERIFY(!fetch(product, "<r><Version>3.3</Version><r>"));
        QCOMPARE(product.version, QStringLiteral("3.3"));
    }

    void entityBombFailsFast() {
        // Exponential, then quadratic growth.
        QByteArray quadratic = "<!DOCTYPE c [<!ENTITY e \"" + QByteArray(100000, 'x') +
                               "\">]><c><Version>" + QByteArray("&e;").repeated(5000);
        for (const QByteArray& doc : {billionLaughs(), quadratic + "</Version></c>"}) {
            test::DiagnosticCapture log;
            ProductInfoFileModel product;
            QElapsedTimer clock;
            clock.start();
            QVERIFY(!fetch(product, doc));
            QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
            QCOMPARE(product.version, QStringLiteral("--"));
            for (const QString& line : log.lines())
                QVERIFY(line.size() < 200);
        }
    }

    void unusableAddressSendsNothing() {
        // No scheme, a space, a control byte or one above ASCII in the model name, no host,
        // another scheme, a bad port.
        const QString lens = QStringLiteral("http://update.test/kelvara/lens/AB");
        for (const QString& address :
             {QString(), QStringLiteral("update.test/kelvara/utility/KelvaraInfoMac.xml"),
              lens + " 1Z.xml", lens + QChar(0x01) + "Z.xml", lens + QChar(0xE9) + "Z.xml",
              QStringLiteral("http:///kelvara/lens/AB12Z.xml"),
              QStringLiteral("ftp://update.test/kelvara/lens/AB12Z.xml"),
              QStringLiteral("http://update.test:99999/x.xml")}) {
            UtilityInfoFileModel utility;
            QVERIFY2(!request(utility, address), qPrintable(address));
        }
        QVERIFY(http->requests().isEmpty());
    }

    void logLines() {
        test::DiagnosticCapture log;
        ProductInfoFileModel product;
        QVERIFY(fetch(product, "<Lens>\n<Version>1.05</Version></Lens>"));
        QCOMPARE(log.lines(),
                 QStringList({"start [modelName].xml parse", "<Lens>", "\n", "<Version>", "1.05",
                              "</Version>", "</Lens>", "parse end"}));

        log.clear();
        UtilityInfoFileModel utility;
        QVERIFY(!fetch(utility, "<U><Version>2</U>"));
        const QStringList lines = log.lines();
        QCOMPARE(lines.mid(0, 4),
                 QStringList({"start KelvaraInfo.xml parse", "<U>", "<Version>", "2"}));
        QCOMPARE(lines.size(), 5);
        QVERIFY(lines.last().startsWith("error:"));
        QVERIFY(lines.last().size() > 6 && lines.last().at(6) != QLatin1Char(' '));
    }

    void readerGoneBeforeAnswer() {
        test::CompletionRecorder outcomes;
        http->answer(address, 200, "<r><Version>1.0</Version></r>", 100);
        {
            ProductInfoFileModel product;
            product.onComplete = outcomes.callback();
            product.requestFile(address);
        }
        QTest::qWait(250);
        QCOMPARE(outcomes.count(), 0);
    }

    void readerDestroyedByItsCompletion() {
        http->answer(address, 200, "<r><Version>1.0</Version></r>");
        auto* product = new ProductInfoFileModel;
        std::mutex mutex;
        QString seen;
        product->onComplete = [&, product](bool) {
            std::lock_guard lock(mutex);
            seen = product->version;
            delete product;
        };
        product->requestFile(address);
        QTRY_VERIFY([&] {
            std::lock_guard lock(mutex);
            return !seen.isEmpty();
        }());
        std::lock_guard lock(mutex);
        QCOMPARE(seen, QStringLiteral("1.0"));
    }

    void displayForm() {
        // "000.15" is not a zero major; several points, a trailing point, no major part.
        for (const char* row : {"1.05=1", "0.05=0.05", "105=105", "01.02=01", "2.10=2",
                                "00.15=00.15", "000.15=000", "3.1.4=3", "7.=7", ".5=.5"})
            QCOMPARE(ProductInfoFileModel::displayForm(QString(row).section('=', 0, 0)),
                     QString(row).section('=', 1));
    }

    void baseUrlSources() {
        QCOMPARE(
            ServerModel::utilityInfoAddress(),
            QStringLiteral("http://update.kelvara.example/kelvara/utility/KelvaraInfoMac.xml"));

        qputenv("KELVARA_UPDATE_URL", "http://127.0.0.1:8080/");
        const auto configured = Environment::create();
        qunsetenv("KELVARA_UPDATE_URL");
        QCOMPARE(ServerModel::utilityInfoAddress(),
                 QStringLiteral("http://127.0.0.1:8080/kelvara/utility/KelvaraInfoMac.xml"));

        configured->setUpdateBaseUrl("https://mirror.test/base//");
        QCOMPARE(ServerModel::productInfoAddress("AB12", NikonZ),
                 QStringLiteral("https://mirror.test/base/kelvara/lens/AB12Z.xml"));
        QCOMPARE(ServerModel::firmwareAddress("AB12Z_105.bin"),
                 QStringLiteral("https://mirror.test/base/kelvara/lens/AB12Z_105.bin"));
        // The content page names the model in lower case under the mount's path.
        ServerModel::setModelName("AB12");
        ServerModel::setMountPath(ServerModel::mountPathFor(FujiX));
        QVERIFY(ServerModel::firmwareContentAddress().endsWith("ab12/fujifilm_x/"));
        // Raw values of no known mount read as Sony E, as a lens in safe mode reports.
        for (int raw : {0, 4, 255, -1})
            QCOMPARE(ServerModel::mountSuffix(raw) + ServerModel::mountPathFor(raw), "SE/sony_e/");
        // They belong to the environment: a new one starts without a lens.
        const auto next = Environment::create();
        QCOMPARE(ServerModel::modelName(), QString());
        QCOMPARE(ServerModel::mountPath(), QString());
    }
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
