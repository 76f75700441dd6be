// The package decoder against packages built by the virtual lens's own encoder.
#include "DiagnosticCapture.h"
#include "FirmwarePackage.h"
#include "PackageCipher.h"
#include "firmware/DecodeFirmware.h"
#include "platform/Environment.h"

#include <QRandomGenerator>
#include <QTest>

using namespace kelvara;
using Image = sim::FirmwarePackage::Image;
using Flaw = sim::FirmwarePackage::Flaw;

namespace {

const QString keyText =
    QStringLiteral("00112233445566778899aabbccddeeff0123456789ABCDEFfedcba9876543210");

Image image(quint8 device, quint8 area, int size, quint32 seed = 1) {
    QByteArray data(size, char(0));
    QRandomGenerator random(seed);
    for (char& c : data)
        c = char(random.bounded(256));
    return {device, area, 0x0102, data};
}

QByteArray encipher(QByteArray plain, const QString& key = keyText) {
    auto cipher = sim::PackageCipher::forKeyText(key);
    if (!cipher)
        qFatal("test key unusable");
    cipher->apply(plain);
    return plain;
}

// One header with its data size field set to any value, no data after it.
QByteArray headerDeclaring(quint32 size) {
    QByteArray h = sim::FirmwarePackage::header(image(0, 0, 0));
    for (int i = 0; i < 4; ++i)
        h[64 + i] = char((size >> (8 * i)) & 0xFF);
    return h;
}

struct Decoded {
    int count = 0;
    std::vector<OutputDecrypt> images;
    QStringList lines;
    bool whole = false;
};

Decoded decode(const QByteArray& package, const QString& key = keyText) {
    test::DiagnosticCapture capture;
    Decoded d;
    DecodeFirmware decoder;
    d.count = decoder.decode(package, d.images, key);
    d.lines = capture.lines();
    d.whole = decoder.wholePackage();
    return d;
}

Bytes bytes(const QByteArray& a) {
    return Bytes(a.begin(), a.end());
}

} // namespace

class TestDecodeFirmware : public QObject {
    Q_OBJECT
    // This test's own link, client, timings and diagnostics.
    const std::shared_ptr<Environment> environment = Environment::create();

  private slots:
    // Keying and the running position are checked by decoding packages the virtual lens
    // enciphered on its own; what is left is the refusal without a key.
    void algorithmNeedsAKey() {
        test::DiagnosticCapture capture;
        DecodeFirmware d;
        QVERIFY(!d.doAlgorithm({1, 2, 3}).has_value());
        QCOMPARE(capture.lines(), QStringList{"Decode: Error Algorithm not initialize"});
    }

    void failuresAndPartialResults_data() {
        QTest::addColumn<QByteArray>("package");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("lines");

        const Image first = image(1, 0, 2048, 7);
        const Image second = image(0, 0, 1000, 8);
        const QByteArray two = sim::FirmwarePackage::plain({first, second});
        const auto length = [](qsizetype n) { return QStringLiteral("data length = %1").arg(n); };
        const QStringList keyLength{"Decode: Error decryptionKeyData Length",
                                    "Decode: Error createDecryptionKey Failed"};
        const QStringList keyDigits{"Decode: Error Invalid key",
                                    "Decode: Error createDecryptionKey Failed"};

        QTest::newRow("empty package") << QByteArray() << keyText << 0
                                       << QStringList{"data length = 0", "Decode: Error FW Count"};
        QTest::newRow("shorter than a header")
            << QByteArray(1023, 'x') << keyText << 0
            << QStringList{"data length = 1023", "Decode: Error header section length",
                           "Decode: Error FW Count"};
        QTest::newRow("declared size one past the largest")
            << encipher(headerDeclaring(1048577) + QByteArray(1048577, 0)) << keyText << 0
            << QStringList{length(1024 + 1048577), "Decode: Error data length",
                           "Decode: Error FW Count"};
        QTest::newRow("declared size with the top bit set")
            << encipher(headerDeclaring(0xFFFFFF00u)) << keyText << 0
            << QStringList{"data length = 1024", "Decode: Error data length",
                           "Decode: Error FW Count"};
        QTest::newRow("data section cut short")
            << encipher(two.left(two.size() - 1)) << keyText << 1
            << QStringList{length(two.size() - 1), length(two.size() - 1 - 3072),
                           "Decode: Error data section length"};
        QTest::newRow("second image fails its CRC")
            << sim::FirmwarePackage::build({first, second}, keyText, Flaw::BadCrc) << keyText << 1
            << QStringList{length(two.size()), length(two.size() - 3072),
                           "Decode: Error crc check"};
        QTest::newRow("two images and 100 bytes more")
            << encipher(two + QByteArray(100, 'z')) << keyText << 2
            << QStringList{length(two.size() + 100), length(two.size() + 100 - 3072), length(100),
                           "Decode: Error header section length"};
        QTest::newRow("key text of 63 characters")
            << encipher(two) << keyText.left(63) << 0 << keyLength;
        QTest::newRow("key text of 65 characters")
            << encipher(two) << keyText + u'0' << 0 << keyLength;
        QTest::newRow("key text with a g")
            << encipher(two) << QStringLiteral("g") + keyText.mid(1) << 0 << keyDigits;
        // 32 characters, 64 bytes in UTF-8: counted in bytes, refused as digits.
        QTest::newRow("key text of 64 UTF-8 bytes")
            << encipher(two) << QString(32, QChar(0xE9)) << 0 << keyDigits;
        QTest::newRow("enciphered with another key")
            << sim::FirmwarePackage::build({first}, QString(64, u'7')) << keyText << 0
            << QStringList{"data length = 3072", "Decode: Error data length",
                           "Decode: Error FW Count"};
    }

    void failuresAndPartialResults() {
        QFETCH(QByteArray, package);
        QFETCH(QString, key);
        QFETCH(int, count);
        QFETCH(QStringList, lines);
        const Decoded d = decode(package, key);
        QCOMPARE(d.lines, lines);
        QCOMPARE(d.count, count);
        QCOMPARE(int(d.images.size()), count);
        QVERIFY(!d.whole);
        if (count > 0) {
            // What was kept is the first image, intact.
            QCOMPARE(d.images.front().device, std::uint8_t(1));
            QCOMPARE(d.images.front().odata, bytes(image(1, 0, 2048, 7).data));
        }
    }

    void imageSizesAtTheLimits() {
        // An empty image, its checksum zero, and the largest.
        for (int size : {0, DecodeFirmware::binaryDataLengthMax}) {
            const Image first = image(3, 4, size, 11);
            const Decoded d =
                decode(sim::FirmwarePackage::build({first, image(2, 2, 77)}, keyText));
            QCOMPARE(d.count, 2);
            QVERIFY(d.whole);
            QCOMPARE(d.images.front().device, std::uint8_t(3));
            QCOMPARE(d.images.front().area, std::uint8_t(4));
            QCOMPARE(d.images.front().dataSize, size);
            QCOMPARE(d.images.front().odata, bytes(first.data));
        }
    }
};

QTEST_GUILESS_MAIN(TestDecodeFirmware)
#include "tst_decodefirmware.moc"
