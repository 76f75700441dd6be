// Both catalogue readers against the virtual lens's update server over loopback, through
// the real HTTP client: addresses formed here must be the ones served there, and every
// server fault ends in exactly one completion with the outcome the callers rely on.
#include "CompletionRecorder.h"
#include "DiagnosticCapture.h"
#include "firmware/ProductInfoFileModel.h"
#include "firmware/ServerModel.h"
#include "firmware/UtilityInfoFileModel.h"
#include "model/MountType.h"
#include "platform/Environment.h"
#include "platform/QtHttpClient.h"

#include "LensProfile.h"
#include "UpdateServer.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

using namespace kelvara;

namespace {

sim::LensProfile lens(const QString& model, quint8 mount) {
    sim::LensProfile p;
    p.modelName = model;
    p.mount = mount;
    p.versionMajor = 0x02;
    p.versionMinor = 0x05;
    return p;
}

} // namespace

class TestCatalogueHttp : public QObject {
    Q_OBJECT

    const std::shared_ptr<Environment> environment = Environment::create();
    sim::UpdateServer server;
    test::DiagnosticCapture quiet;
    const sim::LensProfile primeZ = lens("KP85", sim::LensProfile::NikonZ);

    // Runs one request on a fresh reader and waits for its completion, then a little
    // longer to see that no second one follows.
    bool run(CatalogueReader& reader, const QString& address, int settleMs = 100) {
        test::CompletionRecorder outcomes;
        reader.onComplete = outcomes.callback();
        reader.requestFile(address);
        if (!QTest::qWaitFor([&] { return outcomes.count() > 0; }, 10000))
            qFatal("no completion");
        QTest::qWait(settleMs);
        if (outcomes.count() != 1 || outcomes.mainThreadCalls() != 0)
            qFatal("completion not exactly once on a background thread");
        return outcomes.first();
    }

  private slots:
    void initTestCase() {
        QString error;
        QVERIFY2(server.start(0, &error), qPrintable(error));
        server.addLens(primeZ);
    }

    void init() {
        environment->setHttpClient(std::make_shared<QtHttpClient>());
        environment->setTimings(Timings{});
        environment->setUpdateBaseUrl(server.baseUrl());
        server.clearFaults();
        server.setUtilityVersion("1.2");
        QVERIFY(server.setVersion(sim::UpdateServer::cataloguePath(primeZ), "02.07"));
    }

    void faults_data() {
        QTest::addColumn<QString>("command"); // spoils the next answer on both paths
        QTest::addColumn<bool>("ok");
        QTest::addColumn<bool>("valuesKept"); // values before a parse error stay

        QTest::newRow("served") << "none" << true << true;
        QTest::newRow("404") << "404" << true << false;
        QTest::newRow("500") << "500" << false << false;
        QTest::newRow("slower than the time-out") << "slow 1200" << false << false;
        QTest::newRow("truncated") << "truncate" << false << false;
        QTest::newRow("oversized") << "oversize" << false << false;
        QTest::newRow("malformed") << "malformed" << false << true;
    }

    void faults() {
        QFETCH(QString, command);
        QFETCH(bool, ok);
        QFETCH(bool, valuesKept);

        Timings t;
        t.httpTimeout = 0.4;
        environment->setTimings(t);
        const QString lensPath = sim::UpdateServer::cataloguePath(primeZ);
        QCOMPARE(server.execute("http fault utility " + command + " 1"), "ok");
        QCOMPARE(server.execute("http fault " + lensPath + ' ' + command + " 1"), "ok");
        const int before = server.requestCount(lensPath);
        const int settle = command.startsWith("slow") ? 1200 : 100;

        UtilityInfoFileModel utility;
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(run(utility, ServerModel::utilityInfoAddress(), settle), ok);
        QCOMPARE(utility.version, valuesKept ? "1.2" : "--");

        ProductInfoFileModel product;
        QCOMPARE(run(product, ServerModel::productInfoAddress("KP85", NikonZ), settle), ok);
        QVERIFY2(clock.elapsed() < 6000, "a fault must not wait for more than the time-out");
        QCOMPARE(
            (QStringList{product.version, product.displayNewVersion, product.firmwareFileName}),
            (valuesKept ? QStringList{"02.07", "02", "KP85Z_0300.bin"}
                        : QStringList{"--", "--", ""}));
        QCOMPARE(product.descriptionKey.size(), valuesKept ? 64 : 0);
        QCOMPARE(server.requestCount(lensPath), before + 1); // no retries

        // The fault was spent: the next answer is the document again.
        ProductInfoFileModel again;
        QVERIFY(run(again, ServerModel::productInfoAddress("KP85", NikonZ)));
        QCOMPARE(again.version, "02.07");
    }

    void everyMountReachesItsCatalogue_data() {
        QTest::addColumn<int>("mount");
        for (int mount : {SonyE, CanonRF, NikonZ, FujiX})
            QTest::addRow("%s", qPrintable(ServerModel::mountPathFor(mount))) << mount;
    }

    void everyMountReachesItsCatalogue() {
        QFETCH(int, mount);
        // The two sides map mounts independently; a 404 would pass silently as success.
        const sim::LensProfile p = lens("AB12", quint8(mount));
        server.addLens(p);
        const QString address = ServerModel::productInfoAddress("AB12", MountType(mount));
        QCOMPARE(QUrl(address).path(), sim::UpdateServer::cataloguePath(p));
        ProductInfoFileModel product;
        QVERIFY(run(product, address));
        QCOMPARE(product.version, "03.00");
        QCOMPARE(product.firmwareFileName,
                 "AB12" + ServerModel::mountSuffix(MountType(mount)) + "_0300.bin");
    }

    void offlineCopyThroughFileAddresses() {
        // A copy of the server on disk, reached through a file:// base URL.
        QTemporaryDir dir;
        QString error;
        QVERIFY2(server.exportMirror(dir.path(), &error), qPrintable(error));
        environment->setUpdateBaseUrl(QUrl::fromLocalFile(dir.path()).toString());

        UtilityInfoFileModel utility;
        QVERIFY(run(utility, ServerModel::utilityInfoAddress()));
        QCOMPARE(utility.version, "1.2");
        ProductInfoFileModel product;
        QVERIFY(run(product, ServerModel::productInfoAddress("KP85", NikonZ)));
        QCOMPARE(product.version, "02.07");
        ProductInfoFileModel missing;
        QVERIFY(run(missing, ServerModel::productInfoAddress("KP85", FujiX)));
        QCOMPARE(missing.version, "--");
    }

    void faultUntilCleared() {
        QCOMPARE(server.execute("http fault utility 500"), "ok");
        for (int i = 0; i < 2; ++i) {
            UtilityInfoFileModel utility;
            QVERIFY(!run(utility, ServerModel::utilityInfoAddress()));
        }
        QVERIFY(server.execute("http status").contains("KelvaraInfoMac.xml=500"));
        QCOMPARE(server.execute("http clear"), "ok");
        UtilityInfoFileModel utility;
        QVERIFY(run(utility, ServerModel::utilityInfoAddress()));
    }
};

QTEST_GUILESS_MAIN(TestCatalogueHttp)
#include "tst_catalogue_http.moc"
