// The virtual lens seen from the host's end of the pseudo-terminal. Every
// read here blocks the test's own thread, so each answer also shows that the
// lens serves on a thread of its own.
#include "ControlServer.h"
#include "HostLine.h"
#include "LensProfile.h"
#include "VirtualLens.h"
#include "Wire.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <atomic>
#include <memory>
#include <sys/stat.h>
#include <termios.h>

using namespace kelvara::sim;

namespace {

const QByteArray ACK(1, 0x06);
const QByteArray NAK(1, 0x15);
const QByteArray CAN(1, 0x18);
const QByteArray EOT(1, 0x04);
constexpr int kQuietMs = 150; // long enough to tell "no answer" on an idle machine

bool linkExists(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

QByteArray zeros(int n) {
    return QByteArray(n, char(0));
}

QByteArray imageBlock(quint8 major, quint8 minor) {
    QByteArray b = QByteArrayLiteral("KLVIMG");
    b += char(major);
    b += char(minor);
    b += QByteArray(1024 - b.size(), char(0x5A));
    return b;
}

struct Bench {
    std::unique_ptr<VirtualLens> lens;
    std::unique_ptr<HostLine> host;
};

Bench startLens(const LensProfile& profile) {
    Bench b;
    b.lens = std::make_unique<VirtualLens>(profile);
    QString error;
    if (!b.lens->start({}, &error))
        qFatal("cannot start the virtual lens: %s", qPrintable(error));
    b.host = std::make_unique<HostLine>(b.lens->linkPath());
    return b;
}

Bench startPreset(const char* name) {
    return startLens(*LensProfile::preset(QLatin1String(name)));
}

// One framed exchange; the reply's data field, or the raw bytes if malformed.
QByteArray exchange(HostLine& host, const QByteArray& request) {
    host.write(request);
    const QByteArray reply = host.readFrame();
    const QByteArray data = Wire::dataOf(reply);
    return data.isEmpty() ? QByteArrayLiteral("<bad>") + reply.toHex() : data;
}

// The connection request; the attach code, or the raw bytes if malformed.
QByteArray attach(HostLine& host, quint8 packet) {
    return exchange(host, Wire::frame(packet, 0xF8, Wire::hex("00")));
}

// One step of a block transfer: the lens's one-byte answer.
QByteArray answerTo(HostLine& host, const QByteArray& bytes) {
    host.write(bytes);
    return host.read(1);
}

// Several steps in a row: the lens's answers, one byte each.
QByteArray answersTo(HostLine& host, std::initializer_list<QByteArray> steps) {
    QByteArray out;
    for (const QByteArray& step : steps)
        out += answerTo(host, step);
    return out;
}

// Drives a firmware start up to the receiver's 'C'.
bool startHandshake(HostLine& host, quint8 packet, quint8 device, quint8 area) {
    QByteArray d;
    d += char(device);
    d += char(area);
    host.write(Wire::frame(packet, 0xFD, d));
    return host.read(1, 2000) == QByteArray("C");
}

} // namespace

class TestVirtualLens : public QObject {
    Q_OBJECT

  private slots:
    void connectAnswersWithTheWorkedExampleFraming() {
        Bench b = startPreset("zoom-e");
        b.host->write(Wire::hex("0F0100000200F800A316F0"));
        const QByteArray reply = b.host->readFrame();
        // Same packet, destination and function; CRC low byte first over bytes 0..7.
        QCOMPARE(reply.toHex(' '), Wire::frame(1, 0xF8, Wire::hex("01")).toHex(' '));

        b.host->write(Wire::hex("0F0300000100F90F0DF0"));
        QCOMPARE(Wire::dataOf(b.host->readFrame()), Wire::hex("00"));
        QCOMPARE(b.lens->framesReceived(0xF8), 1);
        QCOMPARE(b.lens->framesReceived(0xF9), 1);
        QCOMPARE(b.lens->lastRequest(), Wire::hex("0F0300000100F90F0DF0"));

        // A different destination byte is echoed, not replaced.
        b.host->write(Wire::frame(7, 0xF8, Wire::hex("00"), 0x21));
        const QByteArray other = b.host->readFrame();
        QCOMPARE(other.toHex().left(8), QByteArray("0f072100"));
    }

    void recordCarriesEveryProfileFieldAtItsOffset() {
        const QByteArray json = R"({
            "modelName": "ABCDEFGH", "productName": "Kelvara Record Layout Probe",
            "mount": 3, "firmwareVersion": "12.3a", "lensType": 6, "firmwareType": 3,
            "buttons": 2, "switchPositions": 3, "connectTypes": 5, "ringAngle": [2, 9],
            "afFineAdjust": 17, "focusSpeedMax": 6, "presetTimeMax": 45, "irisAngle": [1, 3],
            "afLimitFlags": 0, "settingSupport": [0, 7, 10, 31], "switchSupport": 165,
            "buttonFunctions": [0, 9, 24, 63], "afLimitTable": [0, 5, 15, 255], "attach": 2 })";
        QString error;
        const std::optional<LensProfile> profile = LensProfile::fromJson(json, &error);
        QVERIFY2(profile, qPrintable(error));
        Bench b = startLens(*profile);

        const QByteArray data = exchange(*b.host, Wire::read(1, 0, 0x0000, 0));
        QCOMPARE(data.size(), 5 + 256);
        QCOMPARE(data.left(5), Wire::hex("0000000000"));
        QByteArray expected(256, char(0));
        const auto put = [&](int offset, const QByteArray& bytes) {
            expected.replace(offset, bytes.size(), bytes);
        };
        put(0, Wire::hex("06030002030305"));
        put(7, Wire::hex("2911062d13"));
        put(15, Wire::hex("00"));
        put(16, "ABCDEFGH");
        put(24, Wire::hex("3a12"));
        put(32, Wire::hex("81040080"));
        put(40, Wire::hex("a5"));
        put(48, Wire::hex("0102000100000080"));
        put(64, Wire::hex("00050fff"));
        put(96, "Kelvara Record Layout Probe");
        QCOMPARE(data.mid(5).toHex(' '), expected.toHex(' '));

        QCOMPARE(attach(*b.host, 2), Wire::hex("02"));
        // Part of the record, like the host reads it in pieces.
        QCOMPARE(exchange(*b.host, Wire::read(3, 0, 0x0010, 8)),
                 Wire::hex("0000001008") + "ABCDEFGH");
    }

    void presetsIdentifyThemselves_data() {
        QTest::addColumn<QString>("preset");
        for (const QString& name : LensProfile::presetNames())
            QTest::newRow(qPrintable(name)) << name;
    }

    void presetsIdentifyThemselves() {
        QFETCH(QString, preset);
        Bench b = startLens(*LensProfile::preset(preset));

        QCOMPARE(attach(*b.host, 1), QByteArray(1, char(b.lens->profile().attachCode)));
        const QByteArray record = exchange(*b.host, Wire::read(2, 0, 0, 0)).mid(5);
        QCOMPARE(record, b.lens->profile().record());
        const int switchPositions = record[4];
        QVERIFY(record[3] >= 1); // every preset has a custom button
        QVERIFY(record[16] != 0 && record[96] != 0);

        // The factory image must make sense for this very record.
        const QByteArray image = exchange(*b.host, Wire::read(3, 1, 0x0000, 0)).mid(5) +
                                 exchange(*b.host, Wire::read(4, 1, 0x0100, 0)).mid(5);
        QCOMPARE(image.size(), 512);
        const auto supported = [&](int raw) {
            return (quint8(record[48 + raw / 8]) >> (raw % 8)) & 1;
        };
        const int usedSlots = 1 + (switchPositions > 0 ? 3 : 0);
        for (int slot = 0; slot < usedSlots; ++slot)
            QVERIFY2(supported(quint8(image[80 + slot])),
                     qPrintable(QStringLiteral("slot %1").arg(slot)));
        int positions = 1;
        while (positions < 16 && record[64 + positions] != 0)
            ++positions;
        for (int offset : {16, 17, 18, 224, 225, 226}) {
            QVERIFY((quint8(image[offset]) & 0x0F) < positions);
            QVERIFY((quint8(image[offset]) >> 4) < positions);
        }
        const int speedMax = quint8(record[9]);
        for (int slot = 0; slot < 4; ++slot)
            QVERIFY(quint8(image[96 + slot]) <= speedMax);
        const int ringAngle = qint8(image[3]);
        QVERIFY(ringAngle >= (quint8(record[7]) >> 4) && ringAngle <= (quint8(record[7]) & 0x0F));
    }

    void writesAndReadsOutOfRangeAreRefused_data() {
        QTest::addColumn<QByteArray>("request");
        QTest::newRow("write count says 2, one byte sent")
            << Wire::write(1, 0x0010, Wire::hex("05"), 2);
        QTest::newRow("write past the image end") << Wire::write(1, 0x01FF, Wire::hex("0102"));
        QTest::newRow("write of a full block at 0x0180")
            << Wire::write(1, 0x0180, QByteArray(256, 'x'));
        QTest::newRow("write to the information area")
            << Wire::frame(1, 0xF5, Wire::hex("0000000001") + Wire::hex("07"));
        QTest::newRow("reset with a wrong tail") << Wire::frame(1, 0xF5, Wire::hex("0101000001"));
        QTest::newRow("read past the record") << Wire::read(1, 0, 0x0080, 0);
        QTest::newRow("read block at 0x0180 of settings") << Wire::read(1, 1, 0x0180, 0);
        QTest::newRow("read an unknown area") << Wire::read(1, 2, 0x0000, 1);
        QTest::newRow("read without its header") << Wire::frame(1, 0xF4, Wire::hex("000100"));
        QTest::newRow("unknown function") << Wire::frame(1, 0xF2, Wire::hex("00"));
    }

    void writesAndReadsOutOfRangeAreRefused() {
        QFETCH(QByteArray, request);
        Bench b = startPreset("zoom-e");
        const QByteArray before = b.lens->settingsImage();
        QCOMPARE(exchange(*b.host, request), Wire::hex("8000"));
        QCOMPARE(b.lens->settingsImage(), before);
    }

    void malformedRequestsGetNoReply() {
        Bench b = startPreset("zoom-e");
        // Bad CRC, bad end byte, zero length.
        for (const char* bad :
             {"0F0100000200F800A317F0", "0F0100000200F800A316F1", "0F010000000000"}) {
            b.host->write(Wire::hex(bad));
            QCOMPARE(b.host->drain(kQuietMs).toHex(), QByteArray());
        }
        QVERIFY(b.lens->badFrames() >= 3);
        QCOMPARE(b.lens->totalFrames(), 0);
        // Still in step: the next good request is answered.
        QCOMPARE(attach(*b.host, 2), Wire::hex("01"));
        // A length nobody sends is no frame: the request right behind it is answered.
        b.host->write(Wire::hex("0F010000FFFFF8") + Wire::frame(5, 0xF9, {}));
        QCOMPARE(Wire::dataOf(b.host->readFrame()), Wire::hex("00"));

        // Half a frame followed by silence is forgotten, not glued to the next request.
        b.host->write(Wire::frame(3, 0xF8, Wire::hex("00")).left(6));
        QTest::qWait(400);
        QCOMPARE(exchange(*b.host, Wire::frame(4, 0xF9, {})), Wire::hex("00"));
    }

    void requestsAreReassembledAcrossWrites() {
        Bench b = startPreset("zoom-e");
        const QByteArray request = Wire::read(9, 1, 0x0000, 0x10);
        for (qsizetype i = 0; i < request.size(); i += 4) {
            b.host->write(request.mid(i, 4));
            QTest::qWait(10);
        }
        QCOMPARE(exchange(*b.host, {}), Wire::hex("0001000010") + b.lens->settingsImage().left(16));

        // Noise before a request, and two requests in one write.
        b.host->write(Wire::hex("00FF5533") + Wire::frame(10, 0xF8, Wire::hex("00")) +
                      Wire::frame(11, 0xF9, {}));
        QCOMPARE(b.host->readFrame(), Wire::frame(10, 0xF8, Wire::hex("01")));
        QCOMPARE(b.host->readFrame(), Wire::frame(11, 0xF9, Wire::hex("00")));
    }

    void refusalAndSilenceFaults() {
        Bench b = startPreset("zoom-e");
        HostLine& host = *b.host;
        const QByteArray before = b.lens->settingsImage();

        b.lens->setRefusal(0x83, 1, 0xF5);
        QCOMPARE(attach(host, 1),
                 Wire::hex("01")); // not its function
        QCOMPARE(exchange(host, Wire::write(2, 0x0001, Wire::hex("01"))), Wire::hex("8300"));
        QCOMPARE(b.lens->settingsImage(), before); // a refused write changes nothing
        QCOMPARE(exchange(host, Wire::write(3, 0x0001, Wire::hex("01"))), Wire::hex("00"));

        b.lens->setRefusal(0x80, FaultPlan::kForever);
        for (quint8 p = 4; p < 7; ++p)
            QCOMPARE(exchange(host, Wire::read(p, 0, 0, 1)), Wire::hex("8000"));
        b.lens->setRefusal(0x80, 0);
        QCOMPARE(exchange(host, Wire::read(7, 0, 0, 1)), Wire::hex("0000000001") + char(0));

        b.lens->resetCounters();
        b.lens->setNoReply(2, 0xF4);
        host.write(Wire::read(8, 1, 0, 1));
        QCOMPARE(host.drain(kQuietMs), QByteArray());
        QCOMPARE(attach(host, 9), Wire::hex("01"));
        host.write(Wire::write(10, 0x0002, Wire::hex("01")));
        QCOMPARE(host.readFrame().size(), 11);
        host.write(Wire::read(11, 1, 0, 1));
        QCOMPARE(host.drain(kQuietMs), QByteArray());
        QCOMPARE(b.lens->framesReceived(0xF4), 2); // counted though not answered
        QCOMPARE(exchange(host, Wire::read(12, 1, 2, 1)), Wire::hex("0001000201") + char(1));
        QCOMPARE(b.lens->faultSummary(), "none");
    }

    void garbageSplitAndSlowReplies() {
        Bench b = startPreset("zoom-e");
        HostLine& host = *b.host;

        b.lens->setGarbage(1);
        host.write(Wire::frame(1, 0xF8, Wire::hex("00")));
        const QByteArray raw = host.read(5 + 11);
        QVERIFY(!raw.left(5).contains(char(0x0F))); // the host resynchronises on 0x0F
        QCOMPARE(Wire::dataOf(raw.mid(5)), Wire::hex("01"));

        b.lens->setSplit(1);
        host.write(Wire::read(2, 0, 0, 0));
        const QByteArray split = host.readFrame();
        QCOMPARE(Wire::dataOf(split).size(), 5 + 256);
        QVERIFY2(host.lastPieces() >= 2, qPrintable(QString::number(host.lastPieces())));

        b.lens->setReplyDelay(250);
        QElapsedTimer clock;
        clock.start();
        host.write(Wire::frame(3, 0xF9, {}));
        QCOMPARE(host.drain(120), QByteArray());
        QCOMPARE(Wire::dataOf(host.readFrame()), Wire::hex("00"));
        QVERIFY(clock.elapsed() >= 240);
    }

    void lineRateFollowsTheHostsBaud() {
        Bench b = startPreset("zoom-e");
        QCOMPARE(b.lens->hostBaudRate(), 19200);
        QVERIFY(b.host->setBaud(B3000000));
        QCOMPARE(b.lens->hostBaudRate(), 3000000);
        QVERIFY(b.host->setBaud(B9600));
        QCOMPARE(b.lens->hostBaudRate(), 9600);

        // 266 bytes at 9600 baud take about 277 ms on a real wire.
        b.lens->setLineRateEmulation(true);
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(exchange(*b.host, Wire::read(1, 1, 0, 0)).size(), 261);
        const qint64 slow = clock.elapsed();
        QVERIFY2(slow >= 250, qPrintable(QString::number(slow)));

        QVERIFY(b.host->setBaud(B3000000));
        clock.restart();
        QCOMPARE(exchange(*b.host, Wire::read(2, 1, 0, 0)).size(), 261);
        QVERIFY(clock.elapsed() < slow);
    }

    void adapterModeSwitchNeedsTheSecondStart() {
        Bench b = startPreset("prime-z");
        HostLine& host = *b.host;
        QCOMPARE(b.lens->adapterMode(), AdapterMode::Normal);

        host.write(Wire::frame(1, 0xFD, Wire::hex("0002")));
        QCOMPARE(host.drain(300), QByteArray()); // no frame, no 'C'
        QCOMPARE(b.lens->adapterMode(), AdapterMode::Update);
        QVERIFY(!b.lens->isReceivingFirmware());

        // The host closes, reopens, connects and repeats the start.
        host.close();
        QVERIFY(host.reopen());
        QCOMPARE(attach(host, 2), Wire::hex("01"));
        QVERIFY(startHandshake(host, 3, 0x00, 0x02));
        QVERIFY(b.lens->isReceivingFirmware());
        QCOMPARE(b.lens->adapterMode(), AdapterMode::Update);

        QCOMPARE(answersTo(host, {Wire::block(1, zeros(1024)), Wire::block(2, imageBlock(3, 1)),
                                  EOT, EOT}),
                 ACK + ACK + NAK + ACK);
        QTRY_COMPARE(b.lens->installedImages().size(), 1);
        QCOMPARE(b.lens->adapterMode(), AdapterMode::Normal);
        QCOMPARE(b.lens->installedImages().first().area, quint8(2));

        // Other starts never switch the adapter: they go straight to the handshake.
        QVERIFY(startHandshake(host, 4, 0x01, 0x00));
        QCOMPARE(b.lens->adapterMode(), AdapterMode::Normal);
    }

    void blockReceiverAcceptsChecksAndInstalls() {
        Bench b = startPreset("safe-mode");
        HostLine& host = *b.host;
        QCOMPARE(attach(host, 1), Wire::hex("03"));

        QElapsedTimer clock;
        clock.start();
        QVERIFY(startHandshake(host, 2, 0x00, 0x00));
        // The host arms its wait only after it has written the start.
        QVERIFY2(clock.elapsed() >= 80, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(host.drain(50), QByteArray()); // 'C' is sent once

        QCOMPARE(answerTo(host, Wire::block(1, zeros(1024))), ACK);

        // CRC low byte, the number's complement, CRC high byte wrong.
        const QByteArray good = Wire::block(2, imageBlock(2, 0x10));
        for (const auto& [at, mask] :
             {std::pair{good.size() - 1, 0x01}, {2, 0x03}, {good.size() - 2, 0x80}}) {
            QByteArray bad = good;
            bad[at] = char(bad.at(at) ^ mask);
            QCOMPARE(answerTo(host, bad), NAK);
        }
        // A NAK'd block may come again with the same number; split across writes too.
        host.write(good.left(500));
        QTest::qWait(20);
        QCOMPARE(answerTo(host, good.mid(500)), ACK);
        // A repeat of the last block is acknowledged, not stored twice.
        const QByteArray tail(1024, char(0x77));
        QCOMPARE(answersTo(host, {good, Wire::block(3, tail), EOT}), ACK + ACK + NAK);
        QVERIFY(b.lens->installedImages().isEmpty());
        QCOMPARE(answerTo(host, EOT), ACK);

        QTRY_COMPARE(b.lens->installedImages().size(), 1);
        const InstalledImage image = b.lens->installedImages().first();
        QCOMPARE(image.device, quint8(0));
        QCOMPARE(image.stream.size(), 3 * 1024);
        QCOMPARE(image.image, imageBlock(2, 0x10) + tail);
        QVERIFY(!b.lens->isReceivingFirmware());

        // Back in framed mode: the new version shows, and the lens no longer asks for firmware.
        const QByteArray record = exchange(host, Wire::read(3, 0, 0x0018, 2));
        QCOMPARE(record, Wire::hex("0000001802") + Wire::hex("1002"));
        QCOMPARE(attach(host, 4), Wire::hex("01"));
    }

    void brokenSequenceIsNotInstalled() {
        Bench b = startPreset("zoom-e");
        HostLine& host = *b.host;
        QVERIFY(startHandshake(host, 1, 0x00, 0x00));
        // Block 2 never came before block 3.
        QCOMPARE(answersTo(host, {Wire::block(1, zeros(1024)), Wire::block(3, imageBlock(9, 9)),
                                  Wire::block(2, imageBlock(9, 9)), EOT, EOT}),
                 ACK + NAK + ACK + NAK + CAN);
        QTRY_VERIFY(!b.lens->isReceivingFirmware());
        QVERIFY(b.lens->installedImages().isEmpty());
        QCOMPARE(exchange(host, Wire::read(2, 0, 0x0018, 2)).mid(5), Wire::hex("0201"));

        // A fresh start numbers from 1 again.
        QVERIFY(startHandshake(host, 3, 0x01, 0x00));
        QCOMPARE(answerTo(host, Wire::block(1, zeros(1024))), ACK);
    }

    void blockAndEotFaults() {
        Bench b = startPreset("zoom-e");
        HostLine& host = *b.host;
        QCOMPARE(b.lens->execute("block 2 nak"), "ok");
        QCOMPARE(b.lens->execute("block 2 nak 1"), "ok");
        QVERIFY(startHandshake(host, 1, 0x00, 0x00));
        QCOMPARE(answersTo(host, {Wire::block(1, zeros(1024)), Wire::block(2, imageBlock(4, 0)),
                                  Wire::block(2, imageBlock(4, 0))}),
                 ACK + NAK + ACK);

        b.lens->setBlockFault(3, FaultPlan::BlockFault::Silence, 1);
        host.write(Wire::block(3, zeros(1024)));
        QCOMPARE(host.drain(kQuietMs), QByteArray());
        QCOMPARE(answerTo(host, Wire::block(3, zeros(1024))), ACK);

        b.lens->setEotAnswer(1, FaultPlan::kSilent);
        b.lens->setEotAnswer(2, 0x15);
        host.write(EOT);
        QCOMPARE(host.drain(kQuietMs), QByteArray());
        QCOMPARE(answerTo(host, EOT), NAK); // wrong answer, nothing installed
        QTRY_VERIFY(!b.lens->isReceivingFirmware());
        QVERIFY(b.lens->installedImages().isEmpty());

        // The EOT faults were one-shot: a second transfer installs.
        QCOMPARE(b.lens->execute("eot1 can"), "ok");
        QVERIFY(startHandshake(host, 2, 0x00, 0x00));
        QCOMPARE(answersTo(host, {Wire::block(1, imageBlock(4, 1)), EOT, EOT}), ACK + CAN + ACK);
        QTRY_COMPARE(b.lens->installedImages().size(), 1);
        QCOMPARE(b.lens->record().mid(24, 2), Wire::hex("0104"));
    }

    void unplugAndReplug() {
        Bench b = startPreset("zoom-e");
        const QString link = b.lens->linkPath();
        const QString firstDevice = b.lens->devicePath();
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(QFileInfo(link).symLinkTarget(), firstDevice);
        QCOMPARE(exchange(*b.host, Wire::write(1, 0x0001, Wire::hex("02"))), Wire::hex("00"));

        b.lens->unplug(300);
        QVERIFY(!linkExists(link));
        QVERIFY(!b.lens->isPlugged());
        QVERIFY(b.host->hungUp(1000));
        QVERIFY(!b.host->reopen());

        QTRY_VERIFY_WITH_TIMEOUT(linkExists(link), 3000);
        QVERIFY(b.lens->isPlugged());
        QVERIFY(b.host->reopen());
        // The settings survive the power cycle.
        QCOMPARE(exchange(*b.host, Wire::read(2, 1, 0x0001, 1)),
                 Wire::hex("0001000101") + Wire::hex("02"));

        QCOMPARE(b.lens->execute("unplug"), "ok");
        QTest::qWait(100);
        QVERIFY(!linkExists(link)); // no re-plug was asked for
        QCOMPARE(b.lens->execute("plug"), "ok");
        QVERIFY(linkExists(link));

        b.lens->stop();
        QVERIFY(!linkExists(link));
    }

    void controlSocketTakesCommands() {
        Bench b = startPreset("zoom-e");
        QTemporaryDir dir;
        ControlServer server(*b.lens);
        const QString path = dir.filePath("control");
        QString error;
        QVERIFY2(server.listen(path, &error), qPrintable(error));

        QLocalSocket client;
        client.connectToServer(path);
        QVERIFY(client.waitForConnected(2000));
        const auto ask = [&](const QByteArray& line) {
            client.write(line + '\n');
            client.flush();
            if (!QTest::qWaitFor([&] { return client.canReadLine(); }, 2000))
                return QStringLiteral("<no answer>");
            return QString::fromUtf8(client.readLine()).trimmed();
        };
        QCOMPARE(ask("refuse 0x83 1 fn 0xf5"), "ok");
        QVERIFY(ask("refuse").startsWith("error: usage: refuse"));
        QVERIFY(ask("explode now").startsWith("error: unknown command"));
        QVERIFY(ask("status").contains("refuse 0x83 1 fn 0xF5"));
        QCOMPARE(exchange(*b.host, Wire::write(1, 0x0001, Wire::hex("01"))), Wire::hex("8300"));
        QCOMPARE(ask("attach 3"), "ok");
        QCOMPARE(attach(*b.host, 2), Wire::hex("03"));
        QVERIFY(ask("status").contains("frames=2"));
    }

    void faultsCanBeArmedFromAnotherThread() {
        Bench b = startPreset("zoom-e");
        std::atomic<bool> stop{false};
        std::unique_ptr<QThread> meddler(QThread::create([&] {
            while (!stop) {
                b.lens->setReplyDelay(0);
                b.lens->setGarbage(0);
                (void)b.lens->settingsImage();
                (void)b.lens->hostBaudRate();
            }
        }));
        meddler->start();
        for (quint8 p = 1; p <= 40; ++p)
            QCOMPARE(exchange(*b.host, Wire::write(p, 0x0040, QByteArray(1, char(p)))),
                     Wire::hex("00"));
        stop = true;
        meddler->wait();
        QCOMPARE(quint8(b.lens->settingsImage().at(0x40)), quint8(40));
    }

    void linkPathIsClaimedOnlyIfFree() {
        QTemporaryDir dir;
        const QString taken = dir.filePath("regular-file");
        QFile file(taken);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        VirtualLens refused(*LensProfile::preset("zoom-e"));
        QString error;
        QVERIFY(!refused.start(taken, &error));
        QVERIFY2(error.contains("not a symlink"), qPrintable(error));
        QVERIFY(!refused.isRunning());
        QVERIFY(QFileInfo(taken).isFile()); // left alone

        // A link left behind by a killed run is taken over; missing directories are made.
        const QString stale = dir.filePath("by-id/usb-Kelvara-if00");
        QVERIFY(QDir().mkpath(dir.filePath("by-id")));
        QVERIFY(QFile::link("/dev/nonexistent-tty", stale));
        VirtualLens lens(*LensProfile::preset("zoom-e"));
        QVERIFY2(lens.start(stale, &error), qPrintable(error));
        QCOMPARE(QFileInfo(stale).symLinkTarget(), lens.devicePath());
        HostLine host(stale);
        QCOMPARE(attach(host, 1), Wire::hex("01"));
        QVERIFY(!lens.start(stale, &error)); // already running
        lens.stop();
        QVERIFY(!linkExists(stale));
    }
};

QTEST_GUILESS_MAIN(TestVirtualLens)
#include "tst_virtuallens.moc"
