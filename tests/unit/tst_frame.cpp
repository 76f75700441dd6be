// Frames and checksum: builders byte for byte, every reply check in its order.
#include "DiagnosticCapture.h"
#include "link/CommDataFormat.h"
#include "link/Crc.h"
#include "platform/Environment.h"

#include <QRandomGenerator>
#include <QTest>

using namespace kelvara;

namespace {

// Bit-by-bit CRC-16/XMODEM, written independently of the table-driven one.
std::uint16_t referenceCrc(const Bytes& bytes) {
    std::uint16_t c = 0;
    for (std::uint8_t b : bytes) {
        c ^= std::uint16_t(b << 8);
        for (int i = 0; i < 8; ++i)
            c = (c & 0x8000) ? std::uint16_t((c << 1) ^ 0x1021) : std::uint16_t(c << 1);
    }
    return c;
}

Bytes withReferenceCrc(Bytes head) {
    const std::uint16_t c = referenceCrc(head);
    head.push_back(std::uint8_t(c & 0xFF));
    head.push_back(std::uint8_t(c >> 8));
    head.push_back(0xF0);
    return head;
}

const Bytes connectPacket1{0x0F, 0x01, 0x00, 0x00, 0x02, 0x00, 0xF8, 0x00, 0xA3, 0x16, 0xF0};

} // namespace

Q_DECLARE_METATYPE(kelvara::Bytes)

class TestFrame : public QObject {
    Q_OBJECT

    // This test's own link, client, timings and diagnostics.
    const std::shared_ptr<Environment> environment = Environment::create();

private slots:
    void crcKnownValues() {
        QCOMPARE(Crc::calculate(Bytes{}), (std::array<std::uint8_t, 2>{0x00, 0x00}));
        const QByteArray text("123456789");
        QCOMPARE(Crc::calculate(toBytes(text)), (std::array<std::uint8_t, 2>{0xC3, 0x31}));
        // Single-byte table entries 1, 2 and 255.
        QCOMPARE(Crc::calculate(Bytes{0x01}), (std::array<std::uint8_t, 2>{0x21, 0x10}));
        QCOMPARE(Crc::calculate(Bytes{0x02}), (std::array<std::uint8_t, 2>{0x42, 0x20}));
        QCOMPARE(Crc::calculate(Bytes{0xFF}), (std::array<std::uint8_t, 2>{0xF0, 0x1E}));
    }

    void crcMatchesBitwiseReference() {
        QRandomGenerator rng(1234);
        for (int round = 0; round < 500; ++round) {
            Bytes data(rng.bounded(0, 1100));
            for (auto& b : data)
                b = std::uint8_t(rng.bounded(256));
            const std::uint16_t expected = referenceCrc(data);
            const auto got = Crc::calculate(data);
            QCOMPARE(got[0], std::uint8_t(expected & 0xFF));
            QCOMPARE(got[1], std::uint8_t(expected >> 8));
        }
    }

    void buildersOnTheWire() {
        QCOMPARE(CommDataFormat::buildConnect().encode(1), connectPacket1);
        const CommDataFormat disconnect = CommDataFormat::buildDisconnect();
        QCOMPARE(disconnect.commandLength, (std::array<std::uint8_t, 2>{0x01, 0x00}));
        QVERIFY(disconnect.data.empty());
        QCOMPARE(disconnect.encode(3),
                 (Bytes{0x0F, 0x03, 0x00, 0x00, 0x01, 0x00, 0xF9, 0x0F, 0x0D, 0xF0}));

        QCOMPARE(CommDataFormat::buildRead(true, 0x01, 0x00, 0x00).data,
                 (Bytes{0x00, 0x01, 0x01, 0x00, 0x00}));
        QCOMPARE(CommDataFormat::buildRead(false, 0x00, 0x00, 0x00).data,
                 (Bytes{0x00, 0x00, 0x00, 0x00, 0x00}));
        QCOMPARE(CommDataFormat::buildResetSettings().data, (Bytes{0x01, 0x01, 0x00, 0x00, 0x00}));
        const CommDataFormat start = CommDataFormat::buildFirmwareUpdateStart(0x00, 0x02);
        QCOMPARE(start.funcNumber, std::uint8_t(0xFD));
        QCOMPARE(start.data, (Bytes{0x00, 0x02}));
        QCOMPARE(start.commandLength, (std::array<std::uint8_t, 2>{0x03, 0x00}));

        const Bytes values(256, 0xAB);
        const CommDataFormat write = CommDataFormat::buildWrite(true, 0x01, 0x00, 0x00, values);
        QCOMPARE(write.funcNumber, std::uint8_t(0xF5));
        QCOMPARE(write.commandLength, (std::array<std::uint8_t, 2>{0x06, 0x01}));
        QCOMPARE(write.data.size(), std::size_t(261));
        const Bytes wire = write.encode(200);
        QCOMPARE(wire.size(), std::size_t(271));
        QCOMPARE(wire[4], std::uint8_t(0x06));
        QCOMPARE(wire[5], std::uint8_t(0x01));
        const Bytes head(wire.begin(), wire.end() - 3);
        QCOMPARE(withReferenceCrc(head), wire);
    }

    void parseChecksInOrder_data() {
        QTest::addColumn<Bytes>("received");
        QTest::addColumn<Bytes>("lastSent");
        QTest::addColumn<QString>("line");

        const Bytes sent = connectPacket1;
        const Bytes good = withReferenceCrc({0x0F, 0x01, 0x00, 0x00, 0x02, 0x00, 0xF8, 0x01});
        auto tweak = [](Bytes b, std::size_t at, std::uint8_t v) {
            b[at] = v;
            return b;
        };
        const Bytes block{0x02, 0x01, 0xFE, 0x00, 0x00, 0x00, 0x00};

        QTest::addRow("too short") << Bytes{0x0F, 0x01, 0x00, 0x00, 0x02, 0x00} << sent
                                   << "Error recv length";
        QTest::addRow("start mark") << tweak(good, 0, 0x0E) << sent << "Error start mark";
        QTest::addRow("zero length")
            << withReferenceCrc({0x0F, 0x01, 0x00, 0x00, 0x00, 0x00, 0xF8}) << sent
            << "Error length";
        QTest::addRow("length beyond bytes") << tweak(good, 4, 0x03) << sent << "Error length";
        QTest::addRow("end mark") << tweak(good, 10, 0xF1) << sent << "Error end mark";
        QTest::addRow("overcurrent before request comparison")
            << withReferenceCrc({0x0F, 0x09, 0x00, 0x00, 0x02, 0x00, 0xFF, 0x20}) << sent
            << "Error overcurrent";
        QTest::addRow("adapter status without overcurrent")
            << withReferenceCrc({0x0F, 0x01, 0x00, 0x00, 0x02, 0x00, 0xFF, 0x00}) << sent
            << "Error function number";
        QTest::addRow("nothing sent") << good << Bytes{} << "Error not adapter mode 1";
        QTest::addRow("six bytes sent") << good << Bytes{0x0F, 1, 0, 0, 2, 0}
                                        << "Error not adapter mode 1";
        QTest::addRow("last sent a firmware block") << good << block << "Error not adapter mode 2";
        QTest::addRow("packet number")
            << withReferenceCrc({0x0F, 0x02, 0x00, 0x00, 0x02, 0x00, 0xF8, 0x01}) << sent
            << "Error packet number";
        QTest::addRow("destination")
            << withReferenceCrc({0x0F, 0x01, 0x05, 0x00, 0x02, 0x00, 0xF8, 0x01}) << sent
            << "Error destination";
        QTest::addRow("function number")
            << withReferenceCrc({0x0F, 0x01, 0x00, 0x00, 0x02, 0x00, 0xF4, 0x01}) << sent
            << "Error function number";
        const Bytes startSent = CommDataFormat::buildFirmwareUpdateStart(0, 0).encode(1);
        QTest::addRow("framed answer to firmware start")
            << withReferenceCrc({0x0F, 0x01, 0x00, 0x00, 0x02, 0x00, 0xFD, 0x00}) << startSent
            << "Error update firmware";
        QTest::addRow("crc low byte") << tweak(good, 8, std::uint8_t(good[8] ^ 0x01)) << sent
                                      << "Error crc check 1";
        QTest::addRow("crc high byte only") << tweak(good, 9, std::uint8_t(good[9] ^ 0x80)) << sent
                                            << "Error crc check 2";
        const Bytes reservedSet = withReferenceCrc({0x0F, 0x01, 0x00, 0x77, 0x02, 0x00, 0xF8, 0x01});
        QTest::addRow("reserved byte is not examined")
            << reservedSet << sent << QStringLiteral("Recv Response : ") + hexLine(reservedSet);
    }

    void parseChecksInOrder() {
        QFETCH(Bytes, received);
        QFETCH(Bytes, lastSent);
        QFETCH(QString, line);
        test::DiagnosticCapture capture;
        CommDataFormat reply;
        const bool ok = reply.parseReply(received, lastSent);
        QCOMPARE(ok, line.startsWith(QLatin1String("Recv Response")));
        QCOMPARE(capture.lines(), QStringList{line});
    }

    void parseSuccessAndPartialResults() {
        test::DiagnosticCapture capture;
        Bytes good = withReferenceCrc({0x0F, 0x01, 0x00, 0x00, 0x04, 0x00, 0xF8, 0x01, 0x02, 0x03});
        const Bytes exact = good;
        good.insert(good.end(), {0xAA, 0xBB}); // trailing bytes are ignored
        CommDataFormat reply;
        QVERIFY(reply.parseReply(good, connectPacket1));
        QCOMPARE(reply.data, (Bytes{0x01, 0x02, 0x03}));
        QCOMPARE(reply.packetNumber, std::uint8_t(1));
        QCOMPARE(reply.funcNumber, std::uint8_t(0xF8));
        QCOMPARE(reply.commandLength, (std::array<std::uint8_t, 2>{0x04, 0x00}));
        QCOMPARE(reply.crc, (std::array<std::uint8_t, 2>{exact[10], exact[11]}));
        QCOMPARE(capture.lines().last(), QStringLiteral("Recv Response : ") + hexLine(good));

        // A failed parse starts from a fresh frame and keeps what it copied so far.
        Bytes badEnd = exact;
        badEnd[12] = 0x00;
        QVERIFY(!reply.parseReply(badEnd, connectPacket1));
        QCOMPARE(reply.packetNumber, std::uint8_t(1));
        QCOMPARE(reply.data, (Bytes{0x01, 0x02, 0x03}));
        QVERIFY(!reply.parseReply(Bytes{0x0E, 0, 0, 0, 0, 0, 0}, connectPacket1));
        QCOMPARE(reply.packetNumber, std::uint8_t(0));
        QVERIFY(reply.data.empty());
    }
};

QTEST_GUILESS_MAIN(TestFrame)
#include "tst_frame.moc"
