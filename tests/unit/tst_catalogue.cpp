// The catalogue readers over a fake HTTP client that answers on its own threads: what
// the documents leave in the fields, how each HTTP outcome completes (once, never on
// the main thread), hostile documents, unusable addresses, and the server addresses.
#include "CompletionRecorder.h"
#include "DiagnosticCapture.h"
#include "FakeHttpClient.h"
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

Q_DECLARE_METATYPE(kelvara::HttpResponse)

namespace {

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
        QTest::addColumn<QByteArray>("doc");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QStringList>("fields"); // version, display form, key, file name
        const auto row = [](const char* name, const char* doc, bool ok, const QStringList& fields) {
            QTest::newRow(name) << QByteArray(doc) << ok << fields;
        };
        const QString none = QStringLiteral("--");
        row("flat",
            "<?xml version=\"1.0\"?>\n<Lens>\n<Version>1.05</Version>\n<DescriptionKey>ab01"
            "</DescriptionKey>\n<FirmwareFileName>AB12Z_105.bin</FirmwareFileName>\n</Lens>\n",
            true, {"1.05", "1", "ab01", "AB12Z_105.bin"});
        row("nested deep, any root", "<x><y a=\"1\"><z><Version>2.10</Version></z></y></x>", true,
            {"2.10", "2", "", ""});
        row("lower case ignored",
            "<r><version>3.00</version><descriptionkey>k</descriptionkey></r>", true,
            {none, none, "", ""});
        row("attributes ignored", "<r><Version Version=\"9.9\">0.05</Version></r>", true,
            {"0.05", "0.05", "", ""});
        row("text split by comment keeps last piece", "<r><Version>1.<!-- c -->07</Version></r>",
            true, {"07", "07", "", ""});
        row("text split by CDATA keeps last piece", "<r><Version>4.<![CDATA[02]]></Version></r>",
            true, {"02", "02", "", ""});
        row("entities resolved in one piece",
            "<r><FirmwareFileName>a&amp;b&#65;</FirmwareFileName></r>", true,
            {none, none, "", "a&bA"});
        row("lone line feed leaves value", "<r><Version>\n</Version></r>", true,
            {none, none, "", ""});
        row("CR LF is a lone line feed too", "<r><Version>\r\n</Version></r>", true,
            {none, none, "", ""});
        row("text after a child closed is not stored", "<r><Version><b/>8.01</Version></r>", true,
            {none, none, "", ""});
        row("last element wins", "<r><Version>1.00</Version><Version>105</Version></r>", true,
            {"105", "105", "", ""});
        row("malformed keeps what came before", "<r><Version>00.15</Version><DescriptionKey>k</r>",
            false, {"00.15", "00.15", "k", ""});
        row("trailing content", "<r><Version>1.2</Version></r><r/>", false, {"1.2", "1", "", ""});
        row("truncated", "<r><Version>1.2</Vers", false, {"1.2", "1", "", ""});
        row("empty body", "", false, {none, none, "", ""});
        row("undeclared entity", "<r><Version>&v;</Version></r>", false, {none, none, "", ""});
        row("document type declaration refused", "<!DOCTYPE r><r><Version>5.0</Version></r>", false,
            {none, none, "", ""});
    }

    void documents() {
        QFETCH(QByteArray, doc);
        QFETCH(bool, ok);
        QFETCH(QStringList, fields);
        ProductInfoFileModel product;
        QCOMPARE(fetch(product, doc), ok);
        QCOMPARE(fieldsOf(product), fields);
        QVERIFY(product.parseKey.isEmpty() || !ok);
        UtilityInfoFileModel utility;
        QCOMPARE(fetch(utility, doc), ok);
        QCOMPARE(utility.version, fields[0]);
    }

    void httpOutcomes_data() {
        QTest::addColumn<HttpResponse>("response");
        QTest::addColumn<int>("delayMs");
        QTest::addColumn<bool>("ok");

        const QByteArray doc = "<r><Version>7.01</Version></r>";
        const auto status = [&](int code, const QByteArray& body) {
            HttpResponse r;
            r.received = true;
            r.status = code;
            r.body = body;
            return r;
        };
        HttpResponse none;
        none.error = QStringLiteral("Connection refused");
        QByteArray huge =
            "<r><Version>9.99</Version>" + QByteArray(int(HttpRequest::catalogueCap), ' ') + "</r>";

        QTest::newRow("404 succeeds without parsing") << status(404, doc) << 0 << true;
        QTest::newRow("500") << status(500, doc) << 0 << false;
        QTest::newRow("503") << status(503, QByteArray()) << 0 << false;
        QTest::newRow("301 not followed by us") << status(301, doc) << 0 << false;
        QTest::newRow("204") << status(204, QByteArray()) << 0 << false;
        QTest::newRow("no response") << none << 0 << false;
        QTest::newRow("past the time-out") << status(200, doc) << 400 << false;
        QTest::newRow("beyond the size cap") << status(200, huge) << 0 << false;
    }

    void httpOutcomes() {
        QFETCH(HttpResponse, response);
        QFETCH(int, delayMs);
        QFETCH(bool, ok);

        Timings t;
        t.httpTimeout = 0.15;
        environment->setTimings(t);
        http->answer(address, response, delayMs);

        ProductInfoFileModel product;
        QCOMPARE(request(product, address, delayMs + 50), ok);
        QCOMPARE(fieldsOf(product), (QStringList{"--", "--", "", ""}));
        const QList<HttpRequest> sent = http->requests();
        QCOMPARE(sent.size(), 1);
        QCOMPARE(sent.at(0).url, QUrl(address));
        QCOMPARE(sent.at(0).maxBytes, HttpRequest::catalogueCap);
        QCOMPARE(sent.at(0).timeoutSeconds, 0.15);
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

    void entityBombFailsFast_data() {
        QTest::addColumn<QByteArray>("doc");
        QTest::newRow("exponential") << billionLaughs();
        const QByteArray big(100000, 'x');
        QByteArray quadratic = "<!DOCTYPE c [<!ENTITY e \"" + big + "\">]><c><Version>";
        for (int i = 0; i < 5000; ++i)
            quadratic += "&e;";
        QTest::newRow("quadratic") << quadratic + "</Version></c>";
    }

    void entityBombFailsFast() {
        QFETCH(QByteArray, doc);
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

    void unusableAddressSendsNothing_data() {
        QTest::addColumn<QString>("address");
        QTest::newRow("empty") << "";
        QTest::newRow("no scheme") << "update.test/kelvara/utility/KelvaraInfoMac.xml";
        QTest::newRow("space in model name") << "http://update.test/kelvara/lens/AB 1Z.xml";
        QTest::newRow("control byte in model name")
            << QString("http://update.test/kelvara/lens/AB") + QChar(0x01) + "Z.xml";
        QTest::newRow("byte above ASCII in model name")
            << QString("http://update.test/kelvara/lens/AB") + QChar(0xE9) + "Z.xml";
        QTest::newRow("no host") << "http:///kelvara/lens/AB12Z.xml";
        QTest::newRow("other scheme") << "ftp://update.test/kelvara/lens/AB12Z.xml";
        QTest::newRow("bad port") << "http://update.test:99999/x.xml";
    }

    void unusableAddressSendsNothing() {
        QFETCH(QString, address);
        UtilityInfoFileModel utility;
        QVERIFY(!request(utility, address));
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

    void displayForm_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        // "000.15" is not a zero major; several points, a trailing point, no major part.
        for (const char* row : {"1.05=1", "0.05=0.05", "105=105", "01.02=01", "2.10=2",
                                "00.15=00.15", "000.15=000", "3.1.4=3", "7.=7", ".5=.5"})
            QTest::newRow(row) << QString(row).section('=', 0, 0) << QString(row).section('=', 1);
    }

    void displayForm() {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QCOMPARE(ProductInfoFileModel::displayForm(text), shown);
    }

    void addresses_data() {
        QTest::addColumn<int>("mount");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<QString>("path");
        QTest::newRow("SonyE") << int(SonyE) << QString("SE") << "/sony_e/";
        QTest::newRow("CanonRF") << int(CanonRF) << QString("RF") << "/canon_rf/";
        QTest::newRow("NikonZ") << int(NikonZ) << QString("Z") << "/nikon_z/";
        QTest::newRow("FujiX") << int(FujiX) << QString("X") << "/fujifilm_x/";
    }

    void addresses() {
        QFETCH(int, mount);
        QFETCH(QString, suffix);
        QFETCH(QString, path);
        const auto m = MountType(mount);
        QCOMPARE(ServerModel::productInfoAddress("AB12", m),
                 "http://update.kelvara.example/kelvara/lens/AB12" + suffix + ".xml");
        QCOMPARE(ServerModel::mountPathFor(m), path);
        // Formed addresses are accepted as they are.
        QVERIFY(QUrl(ServerModel::productInfoAddress("AB12", m), QUrl::StrictMode).isValid());
        // Raw values of no known mount read as Sony E, as a lens in safe mode reports.
        for (int raw : {0, 4, 255, -1}) {
            QCOMPARE(ServerModel::mountSuffix(raw), QStringLiteral("SE"));
            QCOMPARE(ServerModel::mountPathFor(raw), QStringLiteral("/sony_e/"));
        }
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
        // They belong to the environment: a new one starts without a lens.
        const auto next = Environment::create();
        QCOMPARE(ServerModel::modelName(), QString());
        QCOMPARE(ServerModel::mountPath(), QString());
    }
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
