// FirmwareUpdateModel without a lens: download outcomes over a fake HTTP client and a
// fake port, image choice and order, block cutting and package addresses.
#include "CompletionRecorder.h"
#include "DiagnosticCapture.h"
#include "FakeHttpClient.h"
#include "FakeSerialPort.h"
#include "FirmwarePackage.h"
#include "firmware/FirmwareUpdateModel.h"
#include "firmware/ServerModel.h"
#include "link/LensClient.h"
#include "platform/Environment.h"

#include <QSignalSpy>
#include <QTest>

using namespace kelvara;

namespace {

const QString key = QString(64, u'a');

OutputDecrypt image(std::uint8_t device, std::uint8_t area, int size = 0) {
    OutputDecrypt o;
    o.device = device;
    o.area = area;
    o.dataSize = size;
    o.odata.resize(std::size_t(size));
    for (int i = 0; i < size; ++i)
        o.odata[std::size_t(i)] = std::uint8_t(i % 251 + 1);
    return o;
}

QByteArray package(const QList<std::pair<int, int>>& deviceAreas) {
    QList<sim::FirmwarePackage::Image> images;
    for (const auto& [device, area] : deviceAreas)
        images.append({quint8(device), quint8(area), 1, QByteArray(1500, char(device + 1))});
    return sim::FirmwarePackage::build(images, key);
}

} // namespace

class TestFirmwareUpdate : public QObject {
    Q_OBJECT

    std::shared_ptr<Environment> environment;
    test::FakePortFactory factory;

  private slots:
    void init() {
        environment = Environment::create();
        environment->setUpdateBaseUrl(QStringLiteral("http://fw.test"));
        factory = test::FakePortFactory();
        LensClient::install(
            *environment, std::make_shared<UsbSerialInterface>(std::ref(factory)),
            std::make_shared<UsbSerialPortList>(0x1234, QStringLiteral("/dev/fake")));
        QVERIFY(LensClient::openAdapterPort([] {}));
    }

    void cleanup() { LensClient::transport().closePort(); }

    void downloadOutcomes_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("status"); // 0: no answer, -1: a body past the cap
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("state");
        const int normal = int(UpdateMode::NORMAL);
        const int error = int(UpdateState::Error);
        QTest::newRow("no answer")
            << normal << "a.bin" << 0 << QByteArray() << int(UpdateState::NetworkError);
        QTest::newRow("404") << normal << "a.bin" << 404 << QByteArray("x") << error;
        QTest::newRow("200 without a body") << normal << "a.bin" << 200 << QByteArray() << error;
        QTest::newRow("larger than the cap") << normal << "a.bin" << -1 << QByteArray() << error;
        QTest::newRow("not a package")
            << normal << "a.bin" << 200 << QByteArray(5000, 'q') << error;
        QTest::newRow("safe mode without a main image")
            << int(UpdateMode::SAFEMODE) << "a.bin" << 200 << package({{1, 0}, {0, 1}}) << error;
        // Never asked for.
        for (const char* bad : {"", "sub/a.bin", "a\\b.bin", "..", "a.bin?x=1", "a.bin#f",
                                "http:a.bin", "%2e%2e", "file:a.bin"})
            QTest::addRow("file name \"%s\"", bad)
                << normal << QString::fromLatin1(bad) << 200 << package({{0, 0}}) << error;
    }

    void downloadOutcomes() {
        QFETCH(int, mode);
        QFETCH(QString, name);
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(int, state);
        test::DiagnosticCapture capture;
        auto http = std::make_shared<test::FakeHttpClient>();
        environment->setHttpClient(http);
        const QString url = ServerModel::firmwareAddress(name);
        if (status > 0) {
            http->answer(url, status, body);
        } else if (status < 0) {
            // How the client reports a body past the request's cap.
            HttpResponse large;
            large.tooLarge = true;
            large.error = QStringLiteral("too large");
            http->answer(url, large);
        }

        test::Recorder<float, UpdateState> calls;
        FirmwareUpdateModel model;
        QSignalSpy finished(&model, &FirmwareUpdateModel::updateFinished);
        model.startUpdate(UpdateMode(mode), url, key, calls.callback());
        QVERIFY(model.firmwareUpdating());
        QCOMPARE(int(model.download_state()), int(UpdateState::Start));
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 5000);
        QCOMPARE(calls.calls(), (QList<std::pair<float, UpdateState>>{{0.0f, UpdateState::Start},
                                                                      {1.0f, UpdateState(state)}}));
        QCOMPARE(calls.mainThreadCalls(), 2);
        QCOMPARE(int(model.download_state()), state);
        QCOMPARE(model.download_progress(), 0.0f);
        QVERIFY(!model.firmwareUpdating());
        const bool asked = !QByteArray(QTest::currentDataTag()).startsWith("file name");
        QCOMPARE(http->requests().size(), asked ? 1 : 0);
        if (asked) {
            QCOMPARE(http->requests().first().maxBytes, qint64(64) << 20);
            QCOMPARE(http->requests().first().timeoutSeconds, 60.0);
        }
        QVERIFY(!LensClient::transport().isPortOpen());
        QCOMPARE(capture.count(QStringLiteral("Port Close")), 1);
        // Nothing but the start of the port went to the lens.
        QVERIFY(factory.log().isEmpty());
    }

    void choiceAndOrder() {
        const auto normal = UpdateMode::NORMAL;
        const auto safe = UpdateMode::SAFEMODE;
        // The images in the package and those sent, in order, each as device * 10 + area:
        // the first main image moves last, safe mode sends only it, VC the package's order.
        const std::tuple<UpdateMode, QList<int>, QList<int>> choices[]{
            {normal, {10, 0, 20}, {10, 20, 0}},
            {normal, {0, 11, 0}, {11, 0, 0}},
            {normal, {0}, {0}},
            {normal, {21, 10}, {21, 10}},
            {safe, {10, 0, 20, 0}, {0}},
            {safe, {1, 10}, {}},
            {UpdateMode::VC, {10, 0}, {10, 0}}};
        for (const auto& [mode, in, out] : choices) {
            std::vector<OutputDecrypt> images;
            for (int i = 0; i < in.size(); ++i)
                images.push_back(image(std::uint8_t(in[i] / 10), std::uint8_t(in[i] % 10), i + 1));
            QList<int> chosen;
            for (const OutputDecrypt& o : FirmwareUpdateModel::chooseImages(mode, images))
                chosen.append(o.device * 10 + o.area);
            QCOMPARE(chosen, out);
        }
    }

    void blocksOfAnImage() {
        // The image's size and its blocks, the first one all zeros.
        for (const auto& [size, blocks] : {std::pair{0, 1}, {1, 2}, {2048, 3}, {2049, 4}}) {
            const OutputDecrypt o = image(0, 0, size);
            QCOMPARE(FirmwareUpdateModel::blockCount(o), blocks);
            // The blocks together: zeros, the data, zeros up to the block end.
            Bytes stream;
            for (int b = 1; b <= blocks; ++b) {
                const Bytes block = FirmwareUpdateModel::streamBlock(o, b * 1024);
                QCOMPARE(int(block.size()), 1024);
                stream.insert(stream.end(), block.begin(), block.end());
            }
            Bytes expected(1024, 0);
            expected.insert(expected.end(), o.odata.begin(), o.odata.end());
            expected.resize(std::size_t(blocks) * 1024, 0);
            QCOMPARE(stream, expected);
        }
    }

    void packageAddresses() {
        QCOMPARE(FirmwareUpdateModel::packageAddress(QStringLiteral("KP85Z_0206.bin")),
                 QStringLiteral("http://fw.test/kelvara/lens/KP85Z_0206.bin"));
        QVERIFY(FirmwareUpdateModel::packageAddress(QStringLiteral("a/b.bin")).isEmpty());
        QVERIFY(FirmwareUpdateModel::isPackageAddress(
            QStringLiteral("file:///srv/mirror/kelvara/lens/a.bin")));
        QVERIFY(!FirmwareUpdateModel::isPackageAddress(QStringLiteral("ftp://h/a.bin")));
        QVERIFY(!FirmwareUpdateModel::isPackageAddress(QStringLiteral("http://h/x/../a.bin")));
        QVERIFY(!FirmwareUpdateModel::isPackageAddress(QStringLiteral("http://h/dir/")));
    }
};

QTEST_GUILESS_MAIN(TestFirmwareUpdate)
#include "tst_firmwareupdate.moc"
