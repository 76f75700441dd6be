// Frames and checksum: builders byte for byte, every reply check in its order.
#include "DiagnosticCapture.h"
#include "Rows.h"
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

// The same frame built here, field by field.
Bytes frameOf(std::uint8_t packet, std::uint8_t function, const Bytes& data) {
    const std::size_t length = data.size() + 1;
    Bytes head{0x0F,    packet, 0x00, 0x00, std::uint8_t(length & 0xFF), std::uint8_t(length >> 8),
               function};
    head.insert(head.end(), data.begin(), data.end());
    return withReferenceCrc(head);
}

const Bytes connectPacket1{0x0F, 0x01, 0x00, 0x00, 0x02, 0x00, 0xF8, 0x00, 0xA3, 0x16, 0xF0};

} // namespace

class TestFrame : public QObject {
    Q_OBJECT

    // This test's own link, client, timings and diagnostics.
    const std::shared_ptr<Environment> environment = Environment::create();

  private slots:
    void crcMatchesBitwiseReference() {
        // The reference itself against the published check value.
        QCOMPARE(referenceCrc(toBytes(QByteArray("123456789"))), std::uint16_t(0x31C3));
        QRandomGenerator rng(1234);
        for (int round = 0; round < 500; ++round) {
            Bytes data(rng.bounded(0, 1100));
            for (auto& b : data)
                b = std::uint8_t(rng.bounded(256));
            const std::uint16_t c = referenceCrc(data);
            QCOMPARE(Crc::calculate(data),
                     (std::array<std::uint8_t, 2>{std::uint8_t(c & 0xFF), std::uint8_t(c >> 8)}));
        }
        QCOMPARE(Crc::calculate(Bytes{}), (std::array<std::uint8_t, 2>{0x00, 0x00}));
    }

    void buildersOnTheWire() {
        using F = CommDataFormat;
        const Bytes block(256, 0xAB);
        Bytes write{0x00, 0x01, 0x01, 0x00, 0x00};
        write.insert(write.end(), block.begin(), block.end());
        // Connect (the worked example), disconnect, read a settings block and the record,
        // reset, firmware start, write a whole block (two length bytes).
        QCOMPARE(F::buildConnect().encode(1), connectPacket1);
        QCOMPARE(F::buildDisconnect().encode(3),
                 (Bytes{0x0F, 0x03, 0x00, 0x00, 0x01, 0x00, 0xF9, 0x0F, 0x0D, 0xF0}));
        QCOMPARE(F::buildRead(true, 0x01, 0, 0).encode(2),
                 frameOf(2, 0xF4, {0x00, 0x01, 0x01, 0x00, 0x00}));
        QCOMPARE(F::buildRead(false, 0, 0, 0).encode(4),
                 frameOf(4, 0xF4, {0x00, 0x00, 0x00, 0x00, 0x00}));
        QCOMPARE(F::buildResetSettings().encode(5),
                 frameOf(5, 0xF5, {0x01, 0x01, 0x00, 0x00, 0x00}));
        QCOMPARE(F::buildFirmwareUpdateStart(0x00, 0x02).encode(6), frameOf(6, 0xFD, {0x00, 0x02}));
        QCOMPARE(F::buildWrite(true, 0x01, 0x00, 0x00, block).encode(200),
                 frameOf(200, 0xF5, write));
    }

    void parseChecksInOrder_data() {
        const Bytes sent = connectPacket1;
        auto tweak = [](Bytes b, std::size_t at, std::uint8_t v) {
            b[at] = v;
            return b;
        };
        // A good answer to connectPacket1, one byte changed before the checksum is added.
        const Bytes head{0x0F, 0x01, 0x00, 0x00, 0x02, 0x00, 0xF8, 0x01};
        auto changed = [&](std::size_t at, std::uint8_t v) {
            return withReferenceCrc(tweak(head, at, v));
        };
        // The same head with another function and data byte.
        auto answer = [&](std::uint8_t function, std::uint8_t data, std::uint8_t packet = 0x01) {
            return withReferenceCrc({0x0F, packet, 0x00, 0x00, 0x02, 0x00, function, data});
        };
        const Bytes good = withReferenceCrc(head);
        const Bytes block{0x02, 0x01, 0xFE, 0x00, 0x00, 0x00, 0x00};
        const Bytes startSent = CommDataFormat::buildFirmwareUpdateStart(0, 0).encode(1);
        const Bytes reservedSet = changed(3, 0x77);
        // What arrives, what was sent last, the one diagnostic line.
        test::rows<Bytes, Bytes, QString>({
            {"too short", Bytes{0x0F, 0x01, 0x00, 0x00, 0x02, 0x00}, sent, "Error recv length"},
            {"start mark", tweak(good, 0, 0x0E), sent, "Error start mark"},
            {"zero length", withReferenceCrc({0x0F, 1, 0, 0, 0, 0, 0xF8}), sent, "Error length"},
            {"length beyond bytes", tweak(good, 4, 0x03), sent, "Error length"},
            {"end mark", tweak(good, 10, 0xF1), sent, "Error end mark"},
            {"overcurrent before request comparison", answer(0xFF, 0x20, 0x09), sent,
             "Error overcurrent"},
            {"adapter status without overcurrent", answer(0xFF, 0x00), sent,
             "Error function number"},
            {"nothing sent", good, Bytes{}, "Error not adapter mode 1"},
            {"six bytes sent", good, Bytes{0x0F, 1, 0, 0, 2, 0}, "Error not adapter mode 1"},
            {"last sent a firmware block", good, block, "Error not adapter mode 2"},
            {"packet number", changed(1, 0x02), sent, "Error packet number"},
            {"destination", changed(2, 0x05), sent, "Error destination"},
            {"function number", changed(6, 0xF4), sent, "Error function number"},
            {"framed answer to firmware start", answer(0xFD, 0x00), startSent,
             "Error update firmware"},
            {"crc low byte", tweak(good, 8, std::uint8_t(good[8] ^ 0x01)), sent,
             "Error crc check 1"},
            {"crc high byte only", tweak(good, 9, std::uint8_t(good[9] ^ 0x80)), sent,
             "Error crc check 2"},
            {"reserved byte is not examined", reservedSet, sent,
             "Recv Response : " + hexLine(reservedSet)},
        });
    }

    void parseChecksInOrder() {
        const auto [received, lastSent, line] = test::row<Bytes, Bytes, QString>();
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
