// Controller pieces that need no lens: the utility version rule, the settings file
// format and its checks, and the home page summary lines worked out by hand.
#include "FakeHttpClient.h"
#include "controller/AppViewModel.h"
#include "controller/SettingsBackup.h"
#include "controller/SettingsFile.h"
#include "controller/UtilityVersion.h"
#include "link/Crc.h"
#include "model/BasicInfoViewModel.h"
#include "model/ButtonFunc.h"
#include "model/LensSettingViewModel.h"
#include "platform/Environment.h"

#include <QTest>

using namespace kelvara;

namespace {

Bytes lensRecord(std::initializer_list<int> settingBits, std::uint8_t fixedInf) {
    Bytes rom(256, 0);
    rom[8] = 10;   // AF fine adjustment -10..10
    rom[9] = 7;    // focus speeds 0..7
    rom[10] = 99;  // preset times up to 9 tens of seconds
    rom[15] = fixedInf;
    const char model[] = "KZ2470E";
    std::copy(model, model + 7, rom.begin() + 16);
    rom[24] = 0x02;
    rom[25] = 0x01;
    for (int bit : settingBits)
        rom[32 + bit / 8] |= std::uint8_t(1 << (bit % 8));
    const std::uint8_t table[] = {0x00, 0x05, 0x0F, 0xFF};
    std::copy(table, table + 4, rom.begin() + 64);
    return rom;
}

void putLe16(Bytes& image, int offset, int value) {
    image[std::size_t(offset)] = std::uint8_t(value & 0xFF);
    image[std::size_t(offset) + 1] = std::uint8_t(value >> 8);
}

} // namespace

class TestControllerTexts : public QObject {
    Q_OBJECT

    // This test's own link, client, timings and diagnostics.
    const std::shared_ptr<Environment> environment = Environment::create();

    std::unique_ptr<AppViewModel> app;

    void load(const Bytes& rom, const Bytes& image) {
        app = std::make_unique<AppViewModel>();
        app->basic_info()->setRom(rom);
        app->basic_info()->parseRom();
        app->lens_setting()->setE2p(image);
        app->lens_setting()->parseE2p();
    }

private slots:
    void initTestCase() { environment->setHttpClient(std::make_shared<test::FakeHttpClient>()); }
    void cleanupTestCase() { app.reset(); }

    void versionRule() {
        // The server's version, our own, whether the server's is newer: the parts are hex
        // (0x10 is above 0x09, 1.0A above 1.09), one point exactly or no parse, which never
        // wins over our own but loses to any.
        const std::tuple<QString, QString, bool> versions[]{
            {"1.9", "1.10", false},   {"1.0A", "1.09", true}, {"2.0", "10.0", false},
            {"01.2.3", "1.0", false}, {"1", "0.1", false},    {"0.01", "0.1.0", true},
            {"0.1", "00.01", false}};
        for (const auto& [server, own, newer] : versions)
            QCOMPARE(
                UtilityVersion::isNewer(UtilityVersion::parse(server), UtilityVersion::parse(own)),
                newer);
    }

    void versionDisplay() {
        const UtilityVersion v = UtilityVersion::parse(QStringLiteral("1.a"));
        QCOMPARE((std::tuple{v.display, v.major, v.minor}), (std::tuple{QString("01.0A"), 1, 10}));
        const UtilityVersion bad = UtilityVersion::parse(QStringLiteral("1.2 "));
        QCOMPARE((std::tuple{bad.display, bad.major}), (std::tuple{QString("--"), -1}));
        // The catalogue's text may end its line; the version stands before it.
        QCOMPARE(UtilityVersion::parse(QStringLiteral("1.2\n")).display, QStringLiteral("01.02"));
    }

    void settingsFileChecks() {
        const Bytes rom = lensRecord({}, 0);
        Bytes header(rom.begin() + 16, rom.begin() + 26);
        header.resize(16, 0);
        Bytes image(512);
        for (std::size_t i = 0; i < image.size(); ++i)
            image[i] = std::uint8_t(i * 13);
        const Bytes file = SettingsFile::build(header, image);
        QCOMPARE(file.size(), std::size_t(530));
        QCOMPARE((std::array{file[528], file[529]}), Crc::calculate(file.data(), 528));
        QCOMPARE(SettingsFile::imageFor(file, rom), std::optional<Bytes>(image));

        // Another firmware version of the same model loads: only the model bytes are compared.
        const auto with = [](Bytes b, std::size_t at, int value) {
            b[at] = std::uint8_t(value);
            return b;
        };
        QVERIFY(SettingsFile::imageFor(file, with(rom, 24, 0x07)));

        // A file cut short or one byte longer, a changed byte and another model are refused
        // by the command line's import and diff (tst_cli_docks). The header is covered by
        // the checksum although not compared.
        auto refused = [&](Bytes f, const Bytes& r) { return !SettingsFile::imageFor(f, r); };
        QVERIFY(refused(with(file, 12, 0x01), rom));
        Bytes swapped = file;
        std::swap(swapped[528], swapped[529]);
        QCOMPARE(SettingsFile::imageFor(swapped, rom).has_value(), file[528] == file[529]);
        QVERIFY(refused(file, Bytes(rom.begin(), rom.begin() + 23)));
        QVERIFY(SettingsFile::build(header, Bytes(511)).empty());
    }

    void buttonSummaries() {
        Bytes image(512, 0);
        image[80] = FOCUS_PRESET_TIME;
        image[81] = AFLIMIT_WHILE_PRESS;
        image[82] = FOCUS_PRESET;
        image[83] = AFMF_SWITCH_CLICK;
        putLe16(image, 288, 15);       // button 0: 0 tens, 1 unit, 5 tenths
        putLe16(image, 304, 20);       // button 0 delay 2.0
        image[224] = 0x21;             // row 3 (button 1's): near 1, far 2
        image[0x60 + 2] = 3;           // button 2 speed step 3
        image[16] = 0x9F;              // row 0: both nibbles beyond the four positions
        load(lensRecord({10}, 0), image);
        QCOMPARE(app->afLimitText(0, 0), qtTrId("CustomSetting_AfInf"));
        QCOMPARE(app->afLimitText(0, 1), qtTrId("CustomSetting_AfInf"));

        const QString time = qtTrId("Home_FocusTime");
        const QString delay = qtTrId("Home_DelaySetting");
        QCOMPARE(app->buttonSummaryText(0, true),
                 qtTrId("ButtonSelect_FunctionFocusPreset") + "  /  " + time + ": 1.5 [s] / " +
                     delay + ": 2.0 [s]");
        QCOMPARE(app->buttonSummaryText(0, false), qtTrId("ButtonSelect_FunctionFocusPreset"));
        // Button 1 reads AF limit row 3: positions 0.5m and 1m, then the operation.
        QCOMPARE(app->buttonSummaryText(1, true),
                 qtTrId("ButtonSelect_FunctionAfLimitOnOff") + "  /  0.5m  -  1m  /  " +
                     qtTrId("ButtonSelect_LabelWhilePress"));
        QCOMPARE(app->buttonSummaryText(2, true),
                 qtTrId("ButtonSelect_FunctionFocusPreset") + "  /  " + qtTrId("Home_FocusSpeed") +
                     ": " + app->lens_setting()->focus_speed_labels().at(3));
        QCOMPARE(app->buttonSummaryText(3, true),
                 qtTrId("ButtonSelect_FunctionAfMfSwitch") + "  /  " + qtTrId("ButtonSelect_LabelClick"));
        QCOMPARE(app->buttonSummaryText(4, true), QString());
        QCOMPARE(app->buttonSummaryText(-1, true), QString());

        // Without setting bit 10 the delay is left out; with the far end fixed it reads infinity.
        load(lensRecord({}, 1), image);
        QCOMPARE(app->buttonSummaryText(0, true),
                 qtTrId("ButtonSelect_FunctionFocusPreset") + "  /  " + time + ": 1.5 [s]");
        QCOMPARE(app->afLimitText(3, 1), qtTrId("CustomSetting_AfInf"));
        QCOMPARE(app->afLimitText(3, 2), QString());
        QCOMPARE(app->afLimitText(9, 0), QString());
    }

    void ringAndAdjustmentTexts() {
        Bytes rom = lensRecord({5}, 0);
        rom[7] = 0x03; // ring angles 0..3
        Bytes image(512, 0);
        image[1] = 1;  // reversed
        image[2] = 1;  // linear
        image[3] = 1;  // 180 degrees
        image[19] = std::uint8_t(-3);
        load(rom, image);
        QCOMPARE(app->ringDirectionText(), qtTrId("Home_RingReverse"));
        QCOMPARE(app->ringResponseSummaryText(), qtTrId("Home_RingResponseLinear") + "  /  " +
                                                     qtTrId("Home_RingAngleSetting") + ": 180");
        QCOMPARE(app->pintoText(), QStringLiteral("-3"));

        image[1] = 2;
        image[2] = 0;
        load(lensRecord({}, 0), image);
        QCOMPARE(app->ringDirectionText(), qtTrId("Home_RingFollowCamera"));
        QCOMPARE(app->ringResponseSummaryText(), qtTrId("Home_RingResponseNonLinear"));
    }

    // A backup's name read back into model, time and reason: a model may hold "_", a name
    // from before reasons were recorded has none, and anything else is no backup's name.
    void backupNames() {
        using R = SettingsBackup::Reason;
        const std::tuple<QString, QString, QString, R> names[]{
            {"/b/KZ_2_20230101-100000-000_firmware-update.vdat", "KZ_2", "20230101-100000-000",
             R::FirmwareUpdate},
            {"KZ2470E_20240101-100000-000.vdat", "KZ2470E", "20240101-100000-000", R::Unknown},
            {"_20240101-100000-000_reset.vdat", "", "20240101-100000-000", R::Reset},
            {"KZ_20240101-100000-000_other.vdat", "KZ", "20240101-100000-000", R::Unknown},
            {"KZ_20240101-100000-00_import.vdat", "", "", R::Unknown},
            {"KZ_2024010a-100000-000.vdat", "", "", R::Unknown},
            {"KZ-20240101-100000-000_import.vdat", "", "", R::Unknown},
            {"KZ_20240101-100000-000_Import.vdat", "", "", R::Unknown},
            {"KZ_20240101-100000-000_reset\n.vdat", "", "", R::Unknown}};
        for (const auto& [path, model, stamp, reason] : names) {
            QCOMPARE(SettingsBackup::modelOf(path), model);
            QCOMPARE(SettingsBackup::takenAt(path),
                     QDateTime::fromString(stamp, QStringLiteral("yyyyMMdd-HHmmss-zzz")));
            QCOMPARE(SettingsBackup::reasonOf(path), reason);
        }
        // Only letters, digits, "_" and "-" reach a file name; one "_" per character.
        QCOMPARE(SettingsBackup::fileModelName(QStringLiteral("KZ 24/70.E_\U0001F4F7-1")),
                 QStringLiteral("KZ_24_70_E__-1"));
        QCOMPARE(SettingsBackup::fileModelName(QString()), QStringLiteral("lens"));
    }
};

QTEST_GUILESS_MAIN(TestControllerTexts)
#include "tst_controller_texts.moc"
