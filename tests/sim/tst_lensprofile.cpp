// Lens descriptions, the control grammar and the pieces of the lens's
// receiver that need no serial line.
#include "BlockReceiver.h"
#include "LensCommand.h"
#include "LensFirmware.h"
#include "LensProfile.h"
#include "Rows.h"
#include "VirtualLens.h"
#include "Wire.h"

#include <QTest>

using namespace kelvara::sim;

class TestLensProfile : public QObject {
    Q_OBJECT

  private slots:
    void badProfilesAreRefusedWithAReason_data() {
        kelvara::test::rows<QByteArray, QString>({
            {"not json", "{modelName: x}", "not valid JSON"},
            {"array", "[1]", "must be a JSON object"},
            {"no model", R"({"mount": 0})", "\"modelName\" is required"},
            {"typo", R"({"modelName": "A", "buttonz": 1})", "unknown key \"buttonz\""},
            {"model too long", R"({"modelName": "ABCDEFGHI"})",
             "\"modelName\" must be a string of at most 8"},
            {"model not latin1", R"({"modelName": "Ω85"})", "Latin-1"},
            {"mount name", R"({"modelName": "A", "mount": "PentaxK"})", "\"mount\" must be SonyE"},
            {"byte too big", R"({"modelName": "A", "buttons": 256})",
             "\"buttons\" must be an integer 0..255"},
            {"fraction", R"({"modelName": "A", "lensType": 1.5})", "\"lensType\" must be an integer"},
            {"nibble", R"({"modelName": "A", "ringAngle": [0, 16]})",
             "\"ringAngle\" must be [min, max]"},
            {"min above max", R"({"modelName": "A", "irisAngle": [3, 1]})",
             "\"irisAngle\" must be [min, max]"},
            {"version form", R"({"modelName": "A", "firmwareVersion": "1.2"})",
             "\"firmwareVersion\" must look like"},
            {"setting bit 32", R"({"modelName": "A", "settingSupport": [32]})", "bit numbers 0..31"},
            {"button bit 64", R"({"modelName": "A", "buttonFunctions": [64]})", "bit numbers 0..63"},
            {"17 limits",
             R"({"modelName": "A", "afLimitTable": [0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16]})",
             "at most 16"},
            {"empty firmware", R"({"modelName": "A", "firmwareImageSize": 0})",
             "\"firmwareImageSize\" must be an integer 1..16777216"},
            {"attach 4", R"({"modelName": "A", "attach": 4})", "\"attach\" must be an integer 1..3"},
            {"short image", R"({"modelName": "A", "settingsHex": "00ff"})", "exactly 512 bytes"},
            {"unknown setting", R"({"modelName": "A", "settings": {"zoom": 1}})",
             "unknown setting \"zoom\""},
            {"signed range", R"({"modelName": "A", "settings": {"pinto": 128}})",
             "settings.pinto must be an integer -128..127"},
            {"slot count", R"({"modelName": "A", "settings": {"speed": [1, 2]}})",
             "settings.speed must be an array of 4"},
            {"af limit pair",
             R"({"modelName": "A", "settings": {"afLimit": [[0,1],[0,1],[0,1],[0,1],[0,1],[0,16]]}})",
             "settings.afLimit[5]"},
        });
    }

    void badProfilesAreRefusedWithAReason() {
        const auto [json, reason] = kelvara::test::row<QByteArray, QString>();
        QString error;
        QVERIFY(!LensProfile::fromJson(json, &error));
        QVERIFY2(error.contains(reason), qPrintable(error));
    }

    void namedSettingsLandAtTheirAddresses() {
        const QByteArray json = R"({"modelName": "KT1", "settings": {
            "ringFunction": 4, "direction": 1, "ringResponse": 1, "ringAngle": -5,
            "irisAngle": [1, 2, 3, 0], "afLimit": [[1, 3], [0, 2], [2, 3], [0, 1], [1, 2], [3, 3]],
            "pinto": -7, "switchFunction": 2, "buttonFunctions": [5, 12, 8, 9], "speed": [0, 1, 6, 7],
            "focusTime": [125, 0, 1, 65535], "irisTime": [10, 20, 30, 40],
            "focusDelay": [35, 1000, 150, 0], "irisDelay": [1, 2, 3, 4] }})";
        QString error;
        const std::optional<LensProfile> p = LensProfile::fromJson(json, &error);
        QVERIFY2(p, qPrintable(error));
        const QByteArray img = p->factorySettings;
        QCOMPARE(img.size(), 512);
        QCOMPARE(img.left(4), Wire::hex("040101fb"));
        QCOMPARE(img.mid(5, 4), Wire::hex("01020300"));
        QCOMPARE(img.mid(16, 4), Wire::hex("312032f9"));
        QCOMPARE(img.mid(224, 3), Wire::hex("1021"
                                            "33"));
        QCOMPARE(quint8(img[64]), quint8(2));
        QCOMPARE(img.mid(80, 4), Wire::hex("050c0809"));
        QCOMPARE(img.mid(96, 4), Wire::hex("00010607"));
        QCOMPARE(img.mid(288, 8), Wire::hex("7d0000000100ffff"));
        QCOMPARE(img.mid(296, 8), Wire::hex("0a0014001e002800"));
        QCOMPARE(img.mid(304, 8), Wire::hex("2300e80396000000"));
        QCOMPARE(img.mid(312, 8), Wire::hex("0100020003000400"));
    }

    void hexImageIsTakenWhole() {
        QByteArray pattern(512, 0);
        for (int i = 0; i < 512; ++i)
            pattern[i] = char(i * 7);
        QByteArray spaced;
        for (int i = 0; i < 512; i += 32)
            spaced += pattern.mid(i, 32).toHex() + "\n ";
        // Plain literals: moc misreads raw strings that end in a quote inside a class.
        const QByteArray json = "{\"modelName\": \"KT2\", \"settingsHex\": \"" +
                                spaced.replace('\n', "\\n") + "\", \"settings\": {\"direction\": 2}}";
        QString error;
        const std::optional<LensProfile> p = LensProfile::fromJson(json, &error);
        QVERIFY2(p, qPrintable(error));
        QByteArray expected = pattern;
        expected[1] = 2; // named settings apply on top of the hex image
        QCOMPARE(p->factorySettings.toHex(), expected.toHex());
    }

    void presetsLoad() {
        for (const QString& name : LensProfile::presetNames()) {
            const std::optional<LensProfile> p = LensProfile::preset(name);
            QVERIFY2(p, qPrintable(name));
            QCOMPARE(p->name, name);
        }
        QVERIFY(!LensProfile::preset(QStringLiteral("no-such-lens")));
        QVERIFY(!LensProfile::preset(QStringLiteral("../profiles/zoom-e")));
    }

    void offeredFirmwareTakesTheProfilesImageSize() {
        QString error;
        const auto plain = LensProfile::fromJson(R"({"modelName": "A"})", &error);
        QVERIFY2(plain, qPrintable(error));
        const auto large =
            LensProfile::fromJson(R"({"modelName": "A", "firmwareImageSize": 1048576})", &error);
        QVERIFY2(large, qPrintable(error));
        for (const auto& [profile, size] :
             {std::pair{*plain, LensProfile::kDefaultFirmwareImageSize}, std::pair{*large, 1048576}}) {
            const QList<FirmwarePackage::Image> images =
                LensFirmware(profile).images(LensFirmware::Kind::Single);
            QCOMPARE(images.size(), 1);
            QCOMPARE(images.first().data.size(), size);
        }
    }

    // The row's name is the command line.
    void commandGrammar_data() {
        kelvara::test::rows<QString, QString>({
            {"noreply", "ok", "noreply 1"},
            {"NoReply on fn 0xF4", "ok", "noreply on fn 0xF4"},
            {"noreply off", "ok", "none"},
            {"refuse 0x83 3", "ok", "refuse 0x83 3"},
            {"refuse 128 fn 245", "ok", "refuse 0x80 1 fn 0xF5"},
            {"refuse 0x100", "error: usage: refuse STATUS [N|on|off] [fn F]", "none"},
            {"garbage 2", "ok", "garbage 2"},
            {"split on", "ok", "split on"},
            {"slow 200", "ok", "slow 200"},
            {"slow", "error: usage: slow MS", "none"},
            {"linerate on", "ok", "linerate on"},
            {"unplug 500 fn 0xf4", "ok", "unplug 500 fn 0xF4"},
            {"unplug 250 block 3", "ok", "unplug 250 block 3"},
            {"unplug block 0", "error: usage: unplug [MS] [fn F | block N]", "none"},
            {"block 4 nak 2", "ok", "block 4 nak 2"},
            {"block 1 silent", "ok", "block 1 silent 1"},
            {"block 1 ack", "error: usage: block N nak|silent [COUNT|on|off]", "none"},
            {"eot1 can", "ok", "eot1 0x18"},
            {"eot2 silent", "ok", "eot2 silent"},
            {"eot2 0x41", "ok", "eot2 0x41"},
            {"   ", "error: empty command", "none"},
            {"explode", "error: unknown command \"explode\" (try help)", "none"},
        });
    }

    void commandGrammar() {
        const QString line = QString::fromUtf8(QTest::currentDataTag());
        const auto [answer, faults] = kelvara::test::row<QString, QString>();
        VirtualLens lens(*LensProfile::preset(QStringLiteral("zoom-e")));
        QCOMPARE(lens.execute(line), answer);
        QCOMPARE(lens.faultSummary(), faults);
        QCOMPARE(lens.execute(QStringLiteral("clear")), QStringLiteral("ok"));
        QCOMPARE(lens.faultSummary(), QStringLiteral("none"));
    }

    void blockNumbersWrapFrom255To1() {
        BlockReceiver r;
        r.restart();
        const QByteArray data(1024, char(0x3C));
        QByteArray rx;
        for (int k = 1; k <= 256; ++k) {
            rx += Wire::block(quint8(k == 256 ? 1 : k), data);
            const BlockReceiver::Event e = r.next(rx);
            QCOMPARE(e.kind, BlockReceiver::Kind::Block);
            QCOMPARE(e.ordinal, k);
            r.accept(e);
        }
        QCOMPARE(r.acceptedBlocks(), 256);
        QCOMPARE(r.stream().size(), 256 * 1024);
        QVERIFY(rx.isEmpty());
        // Block 0 never follows 255.
        rx += Wire::block(0, data);
        QCOMPARE(r.next(rx).kind, BlockReceiver::Kind::BadBlock);
        QVERIFY(r.sequenceBroken());
    }
};

QTEST_GUILESS_MAIN(TestLensProfile)
#include "tst_lensprofile.moc"
