// The package decoder against packages built by the virtual lens's own encoder.
#include "DiagnosticCapture.h"
#include "FirmwarePackage.h"
#include "LensFirmware.h"
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
    void baseAndDecryptionKeys() {
        // The key text and what the key is the base key XOR with: zeros give the base key,
        // ones complement it, digits of either case count.
        const std::pair<QString, QByteArray> keys[]{
            {QString(64, u'0'), QByteArray(32, 0)},
            {QString(64, u'f'), QByteArray(32, char(0xFF))},
            {QStringLiteral("0A0b") + QString(60, u'0'),
             QByteArray::fromHex("0a0b") + QByteArray(30, 0)}};
        // The phrase repeated cyclically, cut at 32 bytes.
        const QByteArray base("PackageStreamStartKeyPackageStre");
        for (const auto& [text, xorWithBase] : keys) {
            DecodeFirmware d;
            d.createBaseKey();
            QCOMPARE(d.baseKeyInfo().passPhrase.value_or(QString()),
                     QStringLiteral("PackageStreamStartKey"));
            QCOMPARE(d.baseKeyInfo().key.value_or(Bytes{}), bytes(base));
            QCOMPARE(d.createDecryptionKey(text), 0);
            QByteArray expected = base;
            for (int i = 0; i < 32; ++i)
                expected[i] = char(base[i] ^ xorWithBase[i]);
            QCOMPARE(d.getDecryptionKey().value_or(Bytes{}), bytes(expected));
            QVERIFY(!d.decryptionKeyInfo().passPhrase.has_value());
        }
    }

    void algorithmNeedsAKeyAndRunsOn() {
        test::DiagnosticCapture capture;
        DecodeFirmware d;
        QVERIFY(!d.doAlgorithm({1, 2, 3}).has_value());
        QCOMPARE(capture.lines(), QStringList{"Decode: Error Algorithm not initialize"});

        // Three calls of 20 bytes equal one call of 60: the position runs on.
        DecodeFirmware whole;
        for (DecodeFirmware* keyed : {&d, &whole}) {
            keyed->createBaseKey();
            QCOMPARE(keyed->createDecryptionKey(QString(64, u'0')), 0);
        }
        const Bytes once = whole.doAlgorithm(Bytes(60, 0)).value_or(Bytes{});
        Bytes pieces;
        for (int i = 0; i < 3; ++i) {
            const Bytes part = d.doAlgorithm(Bytes(20, 0)).value_or(Bytes{});
            pieces.insert(pieces.end(), part.begin(), part.end());
        }
        QCOMPARE(pieces, once);
        QCOMPARE(d.keyIndex(), 60 % 32);
    }

    void failuresAndPartialResults_data() {
        QTest::addColumn<QByteArray>("package");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("lines");

        const Image first = image(1, 0, 2048, 7);
        const Image second = image(0, 0, 1000, 8);
        const QByteArray two = sim::FirmwarePackage::plain({first, second});
        const QString firstLength = QStringLiteral("data length = %1").arg(two.size());
        const QString secondLength =
            QStringLiteral("data length = %1").arg(two.size() - 1024 - 2048);
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
            << QStringList{QStringLiteral("data length = %1").arg(1024 + 1048577),
                           "Decode: Error data length", "Decode: Error FW Count"};
        QTest::newRow("declared size with the top bit set")
            << encipher(headerDeclaring(0xFFFFFF00u)) << keyText << 0
            << QStringList{"data length = 1024", "Decode: Error data length",
                           "Decode: Error FW Count"};
        QTest::newRow("data section cut short")
            << encipher(two.left(two.size() - 1)) << keyText << 1
            << QStringList{QStringLiteral("data length = %1").arg(two.size() - 1),
                           QStringLiteral("data length = %1").arg(two.size() - 1 - 3072),
                           "Decode: Error data section length"};
        QTest::newRow("second image fails its CRC")
            << sim::FirmwarePackage::build({first, second}, keyText, Flaw::BadCrc) << keyText << 1
            << QStringList{firstLength, secondLength, "Decode: Error crc check"};
        QTest::newRow("two images and 100 bytes more")
            << encipher(two + QByteArray(100, 'z')) << keyText << 2
            << QStringList{QStringLiteral("data length = %1").arg(two.size() + 100),
                           QStringLiteral("data length = %1").arg(two.size() + 100 - 3072),
                           "data length = 100", "Decode: Error header section length"};
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

    void keyPositionRunsAcrossImages() {
        // 1000 data bytes: the second header starts at key position 1000 % 32 = 8.
        const Image a = image(1, 0, 1000, 3);
        const Image b = image(0, 0, 5000, 4);
        const Decoded running = decode(sim::FirmwarePackage::build({a, b}, keyText));
        QCOMPARE(running.count, 2);
        QCOMPARE(running.images.at(1).odata, bytes(b.data));

        // Each image enciphered from position 0: the second header is garbage.
        const QByteArray restarted =
            sim::FirmwarePackage::build({a}, keyText) + sim::FirmwarePackage::build({b}, keyText);
        const Decoded wrong = decode(restarted);
        QCOMPARE(wrong.count, 1);
        QVERIFY(wrong.lines.last().startsWith(QLatin1String("Decode: Error")));
    }

    void roundTripOfTheServedPackages() {
        using K = sim::LensFirmware::Kind;
        // The images kept, whether the package was whole, the last diagnostic line.
        const std::tuple<K, int, bool, QString> kinds[]{
            {K::Single, 1, true, "data length = 0"},
            {K::Multi, 3, true, "data length = 0"},
            {K::BadCrc, 2, false, "Decode: Error crc check"},
            {K::Truncated, 2, false, "Decode: Error data section length"},
            {K::Oversize, 2, false, "Decode: Error data length"},
            {K::BadKey, 0, false, "Decode: Error createDecryptionKey Failed"}};
        const sim::LensFirmware firmware(*sim::LensProfile::preset(QStringLiteral("prime-z")));
        for (const auto& [k, count, whole, lastLine] : kinds) {
            const Decoded d = decode(firmware.package(k), firmware.catalogueKey(k));
            QCOMPARE(d.count, count);
            QCOMPARE(d.whole, whole);
            QCOMPARE(d.lines.last(), lastLine);
            const QList<Image> sent = firmware.images(k);
            for (int i = 0; i < count; ++i) {
                QCOMPARE(d.images.at(i).device, sent.at(i).device);
                QCOMPARE(d.images.at(i).area, sent.at(i).area);
                QCOMPARE(d.images.at(i).dataSize, int(sent.at(i).data.size()));
                QCOMPARE(d.images.at(i).odata, bytes(sent.at(i).data));
            }
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
