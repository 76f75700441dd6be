// Decoding the basic-information record at its boundaries, the capability tests, the
// AF limit positions, the drawing chosen and the layouts published, the firmware check
// against a fake update server, and the function catalogues' texts by mount and capability.
#include "FakeHttpClient.h"
#include "Rows.h"
#include "controller/AppViewModel.h"
#include "firmware/ServerModel.h"
#include "model/AdjustItemModel.h"
#include "model/BasicInfoViewModel.h"
#include "model/ButtonFunc.h"
#include "model/ButtonItemModel.h"
#include "model/RingItemModel.h"
#include "platform/Environment.h"
#include "platform/Preferences.h"
#include "ui/HomeImageViewModel.h"

#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <numeric>

using namespace kelvara;

namespace {

using test::row;
using test::rows;

using Patch = QList<QPair<int, QByteArray>>;

Bytes record(const Patch& patches, std::size_t size = 256) {
    Bytes r(size, 0);
    for (const auto& [offset, bytes] : patches)
        for (int i = 0; i < bytes.size() && std::size_t(offset + i) < size; ++i)
            r[std::size_t(offset + i)] = std::uint8_t(bytes[i]);
    return r;
}

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray b;
    for (int v : values)
        b.append(char(v));
    return b;
}

template <typename T>
QList<T> each(const QList<LimitPosition>& positions, T LimitPosition::*field) {
    QList<T> out;
    for (const auto& p : positions)
        out << p.*field;
    return out;
}

QByteArray catalogue(const QString& version) {
    return QStringLiteral("<?xml version=\"1.0\"?>\n<Lens>\n<Version>%1</Version>\n"
                          "<FirmwareFileName>fw.bin</FirmwareFileName>\n</Lens>\n")
        .arg(version)
        .toUtf8();
}

// A basic-information record with the given mount, setting bits and button functions.
Bytes record(MountType mount, std::initializer_list<int> settingBits,
             std::initializer_list<int> buttonFunctions) {
    Bytes rom(256, 0);
    rom[5] = std::uint8_t(mount);
    rom[16] = 'T';
    for (int bit : settingBits)
        rom[32 + bit / 8] |= std::uint8_t(1 << (bit % 8));
    for (int f : buttonFunctions)
        rom[48 + f / 8] |= std::uint8_t(1 << (f % 8));
    return rom;
}

QPointF at(const QVariant& x, const QVariant& y) {
    return {x.toDouble(), y.toDouble()};
}

const QString MOD = qtTrId("CustomSetting_AfMod");
const QString INF = qtTrId("CustomSetting_AfInf");

} // namespace

class TestBasicInfo : public QObject {
    Q_OBJECT

    QTemporaryDir userFiles;
    int cases = 0;
    std::shared_ptr<Environment> environment;
    std::shared_ptr<test::FakeHttpClient> http;
    std::unique_ptr<AppViewModel> app;

    BasicInfoViewModel& info() { return *app->basic_info(); }

    void parse(const Bytes& rom) {
        info().setRom(rom);
        info().parseRom();
    }

    // The firmware check ends one way or the other before the next case starts.
    void settle() { QTest::qWait(30); }

  private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(userFiles.isValid());
    }

    void init() {
        environment = Environment::create();
        // Never the user's real preferences, and none left by an earlier case.
        const QString preferences =
            userFiles.filePath(QStringLiteral("preferences-%1.ini").arg(++cases));
        environment->setPreferencesFile(preferences);
        QCOMPARE(Preferences::location(), preferences);
        environment->setUpdateBaseUrl(QStringLiteral("http://updates.test"));
        // The controller's start-up check of the utility catalogue goes unanswered and
        // ends before a case starts; the case's own client sees only the lens checks.
        environment->setHttpClient(std::make_shared<test::FakeHttpClient>());
        app = std::make_unique<AppViewModel>();
        QTRY_COMPARE(app->footer_message(), qtTrId("Footer_UtilityVersionCheckError"));
        http = std::make_shared<test::FakeHttpClient>();
        environment->setHttpClient(http);
    }

    void cleanup() {
        settle();
        app.reset();
        http.reset();
    }

    void freshModel() {
        QCOMPARE(AppViewModel::shared(), app.get());
        {
            // Another environment has no controller until it creates one.
            const auto other = Environment::create();
            QVERIFY(AppViewModel::shared() == nullptr);
        }
        QCOMPARE(AppViewModel::shared(), app.get());
        QCOMPARE(info().newVersion(), QStringLiteral("--"));
        QCOMPARE(info().mountType(), SonyE);
        QCOMPARE(info().supportConnectType(), quint8(1));
        QCOMPARE(info().ringAngleRange(), (ClosedRange{-5, 5}));
        QCOMPARE(info().pintoRange(), (ClosedRange{-10, 10}));
        QVERIFY(info().identityHeader().empty());
    }

    void recordOfAnotherLengthIsIgnored() {
        QSignalSpy spy(&info(), &BasicInfoViewModel::changed);
        app->setFooter_message(QStringLiteral("kept"));
        for (std::size_t size : {0, 255, 257, 512})
            parse(record({{0, bytes({7, 3})}, {16, "ABC"}, {25, bytes({1})}}, size));
        settle();
        QCOMPARE(spy.count(), 0);
        QCOMPARE(info().lensType(), quint8(0));
        QCOMPARE(info().modelName(), QString());
        QCOMPARE(app->footer_message(), QStringLiteral("kept"));
        QVERIFY(http->requests().isEmpty());
    }

    void versions() {
        // Bytes 24 and 25; the current version, its major part, the displayed form.
        const std::tuple<int, int, QStringList> versions[]{{0x05, 0x00, {"00.05", "0", "00.05"}},
                                                           {0x02, 0x01, {"01.02", "1", "01"}},
                                                           {0x2a, 0x01, {"01.2a", "1", "01"}},
                                                           {0xff, 0xab, {"ab.ff", "171", "ab"}}};
        for (const auto& [second, first, shown] : versions) {
            parse(record({{24, bytes({second, first})}}));
            QCOMPARE((QStringList{info().currentVersion(), QString::number(info().majorVersion()),
                                  info().displayCurrentVersion()}),
                     shown);
        }
    }

    void modelAndProductNames_data() {
        rows<QByteArray, QByteArray, QString, QString>(
            {{"full fields", "ABCDEFGH", QByteArray(64, 'p'), "ABCDEFGH", QString(64, u'p')},
             {"empty", {}, {}, "", ""},
             {"ended early", {"KL\0XYZ", 6}, {"Lens 50\0mm", 10}, "KL", "Lens 50"},
             {"bytes above 0x7f", "Z\xe9", "F1.8 \xb0", "Z\u00e9", "F1.8 \u00b0"}});
    }

    void modelAndProductNames() {
        const auto [model, product, modelName, productName] =
            row<QByteArray, QByteArray, QString, QString>();
        // Bytes right after each field must not leak into it.
        parse(record({{16, model}, {24, bytes({1, 1})}, {96, product}, {160, "TAIL"}}));
        QCOMPARE(info().modelName(), modelName);
        QCOMPARE(info().productName(), productName);
        QCOMPARE(ServerModel::modelName(), modelName);
    }

    void identityHeaderCarriesTheRawModelField() {
        const Bytes rom = record({{16, QByteArray("AB\0D\xff", 5)},
                                  {24, bytes({0x2a, 0x01})},
                                  {26, bytes({9, 9, 9, 9, 9, 9})}});
        parse(rom);
        const Bytes expected{'A', 'B', 0, 'D', 0xFF, 0, 0, 0, 0x2a, 0x01, 0, 0, 0, 0, 0, 0};
        QCOMPARE(info().identityHeader(), expected);

        info().setRom(Bytes(25, 1)); // too short to hold the version
        QVERIFY(info().identityHeader().empty());
        info().setRom(Bytes(26, 1));
        QCOMPARE(info().identityHeader().size(), std::size_t(16));
    }

    void fields_data() {
        // Ring angle, adjustment, focus speed and iris angle ranges, tens of seconds.
        rows<QByteArray, QList<double>>(
            {{"typical",
              bytes({0x06, 0x03, 0xEE, 2, 3, 1, 0x05, 0x37, 5, 6, 99, 0x03}),
              {3, 7, -5, 5, 0, 6, 0, 3, 9}},
             {"zeros", bytes({}), {0, 0, -1, 1, 0, 1, 0, 0, 0}},
             {"highest",
              bytes({0, 0, 0, 0, 0, 0, 0, 0xFF, 255, 255, 255, 0xFF}),
              {15, 15, -255, 255, 0, 255, 15, 15, 25}},
             {"ends swapped run from smaller to larger",
              bytes({0, 0, 0, 0, 0, 0, 0, 0x73, 1, 1, 10, 0x20}),
              {3, 7, -1, 1, 0, 1, 0, 2, 1}}});
    }

    void fields() {
        const auto [bytes0to15, ranges] = row<QByteArray, QList<double>>();
        parse(record({{0, bytes0to15}}));
        const BasicInfoViewModel& i = info();
        QList<double> got;
        for (const ClosedRange& r :
             {i.ringAngleRange(), i.pintoRange(), i.focusSpeedRange(), i.irisAngleRange()})
            got << r.lower << r.upper;
        QCOMPARE(got << i.maxSec2(), ranges);
        QCOMPARE((QList<double>{double(i.ringAngleMin()), double(i.ringAngleMax()),
                                double(i.focusSpeedMax()), double(i.irisAngleMin()),
                                double(i.irisAngleMax())}),
                 (QList<double>{ranges[0], ranges[1], ranges[5], ranges[6], ranges[7]}));
        const QByteArray plain = bytes0to15.leftJustified(7, 0);
        QCOMPARE((QList<int>{i.lensType(), i.firmwareType(), i.customButtonCount(),
                             i.customSwitchStateCount(), i.supportConnectType(),
                             i.specialSpecAFLimitFixedInf()}),
                 (QList<int>{plain[0], plain[1], plain[3], plain[4], plain[6], 0}));
    }

    void recordRoundTrip() {
        // Every byte differs from its neighbours; each name ends at a zero, and what
        // follows the zero is kept.
        Bytes raw(BasicInfo::SIZE);
        for (std::size_t i = 0; i < raw.size(); ++i)
            raw[i] = std::uint8_t(i * 37 + 11);
        raw[20] = 0;
        raw[130] = 0;
        QVERIFY(!BasicInfo::decode(Bytes(raw.begin(), raw.end() - 1)));
        const auto decoded = BasicInfo::decode(raw);
        QVERIFY(decoded);
        QCOMPARE(decoded->encode(), raw);

        BasicInfo x = *decoded;
        x.modelName = QStringLiteral("LX-1");
        x.productName = QStringLiteral("Kelvara 50mm");
        x.customSwitchSupport = 0xAA;
        const auto back = BasicInfo::decode(x.encode());
        QCOMPARE(*back, x);
        Bytes expected = raw; // only the changed fields' bytes differ
        for (const auto& [offset, b] :
             Patch{{16, "LX-1"}, {40, "\xAA"}, {96, QByteArray("Kelvara 50mm\0", 13)}})
            std::copy(b.begin(), b.end(), expected.begin() + offset);
        QCOMPARE(x.encode(), expected);
    }

    void mount_data() {
        // The mount path, and the catalogue name's suffix.
        rows<int, MountType, QStringList>(
            {{"Sony E", 0, SonyE, {"/sony_e/", "SE"}},
             {"Canon RF", 1, CanonRF, {"/canon_rf/", "RF"}},
             {"Nikon Z", 2, NikonZ, {"/nikon_z/", "Z"}},
             {"Fujifilm X", 3, FujiX, {"/fujifilm_x/", "X"}},
             {"unknown keeps the previous", 4, NikonZ, {"/nikon_z/", "Z"}},
             {"0xFF keeps the previous", 0xFF, NikonZ, {"/nikon_z/", "Z"}}});
    }

    void mount() {
        const auto [code, mount, path] = row<int, MountType, QStringList>();
        parse(record({{5, bytes({2})}, {16, "M1"}}));
        settle();
        parse(record({{5, bytes({code})}, {16, "M2"}}));
        QCOMPARE(info().mountType(), mount);
        QCOMPARE(ServerModel::mountPath(), path[0]);
        QTRY_COMPARE(http->requests().size(), 2);
        QCOMPARE(http->requests().last().url.toString(),
                 "http://updates.test/kelvara/lens/M2" + path[1] + ".xml");
    }

    void limitPositions() {
        const QByteArray four = bytes({0x00, 0x05, 0x0F, 0xFF, 0x00, 0x07});
        const QStringList fourNames{MOD, "0.5m", "1m", INF};
        QByteArray full(16, char(0x32));
        full[15] = char(0xFF);
        QStringList fullNames(15, QStringLiteral("5m"));
        fullNames << INF;
        QList<int> all(16);
        std::iota(all.begin(), all.end(), 0);
        // The table, byte 15 (the far end fixed), the names, the infinity and the
        // minimum focus positions.
        const std::tuple<QByteArray, int, QStringList, QList<int>, QList<int>> tables[]{
            {four, 0, fourNames, {1, 2, 3}, {0, 1, 2}},
            {four, 1, fourNames, {3}, {0, 1, 2}},
            {four, 0xFE, fourNames, {1, 2, 3}, {0, 1, 2}}, // other bits of the flag
            {bytes({0x05, 0x00, 0x09}), 0, {"0.5m"}, {}, {}},
            {bytes({0x00}), 1, {MOD}, {0}, {}},
            {bytes({0x09, 0x0A, 0x13, 0x14, 0xFE}),
             0,
             {"0.9m", "1m", "1m", "2m", "25m"},
             {1, 2, 3, 4},
             {0, 1, 2, 3}},
            {full, 1, fullNames, {15}, all.first(15)}};
        for (const auto& [table, fixedInf, names, inf, mod] : tables) {
            // The byte after the table must not become a position.
            parse(record({{15, bytes({fixedInf})}, {64, table}, {80, bytes({0x10})}}));
            QCOMPARE(each(info().limitPosition(), &LimitPosition::name), names);
            QCOMPARE(each(info().limitPosition(), &LimitPosition::id), all.first(names.size()));
            QCOMPARE(each(info().infLimitPositions(), &LimitPosition::id), inf);
            QCOMPARE(each(info().modLimitPositions(), &LimitPosition::id), mod);
        }
        // A shorter table replaces the longer one.
        parse(record({{64, bytes({0x00, 0x0A})}}));
        QCOMPARE(each(info().limitPosition(), &LimitPosition::name), (QStringList{MOD, "1m"}));
    }

    void capabilityBits() {
        QList<int> all(32);
        std::iota(all.begin(), all.end(), 0);
        QList<int> noIrisTimes = all;
        noIrisTimes.remove(24, 2); // iris preset times are refused whatever the bits
        // Setting bytes, button function bytes, the settings and functions supported.
        const std::tuple<QByteArray, QByteArray, QList<int>, QList<int>> cases[]{
            {bytes({0x01, 0x04, 0x00, 0x80}),
             bytes({0x02, 0x00, 0x80, 0x00}),
             {0, 10, 31},
             {1, 23}},
            {bytes({0, 0, 0, 0}), QByteArray(8, char(0xFF)), {}, noIrisTimes},
            {QByteArray(4, char(0xFF)), bytes({0, 0, 0, 0, 0xFF}), all, {}}};
        for (const auto& [settingBytes, buttonBytes, settingsOn, functionsOn] : cases) {
            // Byte 36 and the switch bits sit next to the tested bytes; they must not count.
            parse(record(
                {{32, settingBytes}, {36, bytes({0xFF})}, {40, bytes({0xAA})}, {48, buttonBytes}}));
            for (int bit = -1; bit < 40; ++bit)
                QVERIFY2(info().isSettingSupported(bit) == settingsOn.contains(bit),
                         qPrintable(QString::number(bit)));
            QVERIFY(!info().isSettingSupported(255));
            for (int raw = -1; raw < 70; ++raw)
                QVERIFY2(info().isButtonFunctionSupported(raw) == functionsOn.contains(raw),
                         qPrintable(QString::number(raw)));
            QCOMPARE(info().customSwitchSupport()[0], std::uint8_t(0xAA));
        }
    }

    void customSettingsAndAFCustomize_data() {
        // Setting byte 0, the preference (-1 absent), AF customising shown, custom settings.
        rows<int, int, bool, bool>({{"nothing", 0x00, -1, false, false},
                                    {"AF bit, preference absent", 0x80, -1, false, false},
                                    {"AF bit, preference false", 0x80, 0, false, false},
                                    {"AF bit, preference true", 0x80, 1, true, true},
                                    {"preference without the bit", 0x40, 1, false, false},
                                    {"button", 0x01, -1, false, true},
                                    {"switch", 0x02, -1, false, true},
                                    {"ring", 0x04, -1, false, true},
                                    {"ring direction", 0x08, -1, false, true},
                                    {"ring response", 0x10, -1, false, true},
                                    {"ring angle", 0x20, -1, false, true}});
    }

    void customSettingsAndAFCustomize() {
        const auto [settingByte0, preference, afVisible, custom] = row<int, int, bool, bool>();
        if (preference >= 0)
            Preferences::setBool(QString::fromLatin1(Preferences::VISIBLE_AF_CUSTOMIZE),
                                 preference == 1);
        parse(record({{32, bytes({settingByte0})}}));
        QCOMPARE(info().isAFCustomizeVisible(), afVisible);
        QCOMPARE(info().hasCustomSettings(), custom);
    }

    void drawingChoice() {
        // Lens type, buttons, switch positions and the drawing.
        const std::tuple<int, int, int, LensClassification> choices[]{
            {0x02, 1, 3, Single_Switch_Button},
            {0x02, 2, 0, Single_Button},
            {0x02, 0, 0, Single_Nothing},
            {0x06, 0, 2, Single_Switch_Button}, // single wins over back ring
            {0x04, 0, 2, Zoom_Back_Ring_Switch_Button},
            {0x04, 1, 0, Zoom_Back_Ring_Button},
            {0x04, 0, 0, Zoom_Back_Ring_Nothing},
            {0x01, 1, 2, Zoom_Front_Ring_Switch_Button},
            {0x00, 4, 0, Zoom_Front_Ring_Button},
            {0xF9, 0, 0, Zoom_Front_Ring_Nothing}};
        HomeImageViewModel& image = *app->home_image();
        for (const auto& [lensType, buttons, switches, drawing] : choices) {
            parse(record({{0, bytes({lensType})}, {3, bytes({buttons, switches})}}));
            QCOMPARE(image.lensType().classification, drawing);
            QCOMPARE(image.lensImage().toString(), image.lensTypes()[drawing].lensImage);
        }
    }

    // Where the markers and lines fall is checked on the drawn page; here, that each class
    // publishes its own record whole, a new model the first.
    void eachClassPublishesItsRecord() {
        HomeImageViewModel model;
        QCOMPARE(model.lensTypes().size(), 9);
        for (int c = Zoom_Back_Ring_Switch_Button; c <= Single_Nothing; ++c) {
            if (c > Zoom_Back_Ring_Switch_Button) {
                model.selectLensType(LensClassification(c));
                model.publishLensType();
            }
            const LensType& record = model.lensTypes()[c];
            QCOMPARE(record.classification, LensClassification(c));
            QCOMPARE(model.lensType(), record);
            QCOMPARE(model.lensImage().toString(), record.lensImage);
            QCOMPARE(at(model.switchCircleX(), model.switchCircleY()),
                     QPointF(record.switchCircleX, record.switchCircleY));
            QCOMPARE(at(model.buttonCircleX(), model.buttonCircleY()),
                     QPointF(record.buttonCircleX, record.buttonCircleY));
            QCOMPARE(model.ringLines().value<QList<QPointF>>(), record.ringLines);
            QCOMPARE(model.ringOffset().value<QSizeF>(), *record.ringOffset);
            QCOMPARE(model.ringWidth().toDouble(), *record.ringWidth);
        }
    }

    // Selecting alone shows nothing new; publishing tells once per change of layout, and
    // an unknown class changes nothing.
    void onlyPublishingShowsANewLayout() {
        HomeImageViewModel model;
        QSignalSpy spy(&model, &HomeImageViewModel::layoutChanged);
        model.selectLensType(Single_Nothing);
        QCOMPARE(model.lensImage().toString(), QStringLiteral("image_lens_zoom_sw_btn"));
        QCOMPARE(spy.count(), 0);
        model.publishLensType();
        QCOMPARE(spy.count(), 1);
        QCOMPARE(model.lensImage().toString(), QStringLiteral("image_lens_single_nothing"));
        model.publishLensType();
        model.selectLensType(LensClassification(42));
        model.publishLensType();
        QCOMPARE(spy.count(), 1);
        QCOMPARE(model.lensType().classification, Single_Nothing);
        QCOMPARE(model.lensImage().toString(), QStringLiteral("image_lens_single_nothing"));
    }

    void firmwareCheck_data() {
        // Bytes 24 and 25, the server's status, its version, the new one and as displayed,
        // whether it counts as new and whether the footer tells of an error.
        const QByteArray v107 = bytes({0x07, 0x01});
        const QByteArray v005 = bytes({0x05, 0x00});
        rows<QByteArray, int, QStringList, bool, bool>(
            {{"same display", v107, 200, {"01.09", "01.09", "01"}, false, false},
             {"newer", v107, 200, {"02.00", "02.00", "02"}, true, false},
             {"older also counts", bytes({0x07, 0x02}), 200, {"01.00", "01.00", "01"}, true, false},
             {"major zero compares whole", v005, 200, {"00.05", "00.05", "00.05"}, false, false},
             {"major zero, other minor", v005, 200, {"00.06", "00.06", "00.06"}, true, false},
             {"server error", v107, 500, {"02.00", "--", "--"}, false, true},
             {"no catalogue is no update", v107, 404, {"", "--", "--"}, false, false}});
    }

    void firmwareCheck() {
        const auto [lensVersion, status, versions, isNew, footerError] =
            row<QByteArray, int, QStringList, bool, bool>();
        const QString address = QStringLiteral("http://updates.test/kelvara/lens/KL50RF.xml");
        http->answer(address, status, status == 200 ? catalogue(versions[0]) : QByteArray());
        app->setFooter_message(QStringLiteral("old footer"));
        QSignalSpy spy(&info(), &BasicInfoViewModel::changed);
        parse(record({{5, bytes({1})}, {16, "KL50"}, {24, lensVersion}}));
        QCOMPARE(app->footer_message(), QString()); // cleared by the decode
        QTRY_COMPARE(spy.count(), 2);
        QCOMPARE(http->requests().size(), 1);
        QCOMPARE(http->requests().first().url.toString(), address);
        QCOMPARE(versions.mid(1), (QStringList{info().newVersion(), info().displayNewVersion()}));
        QCOMPARE(info().is_new(), isNew);
        QCOMPARE(app->footer_message(), footerError ? qtTrId("Footer_FWCheckError") : QString());
    }

    void aFailedCheckAfterASuccessfulOneResetsTheVersions() {
        const QString address = QStringLiteral("http://updates.test/kelvara/lens/ABSE.xml");
        http->answer(address, 200, catalogue(QStringLiteral("03.01")));
        QSignalSpy spy(&info(), &BasicInfoViewModel::changed);
        parse(record({{16, "A"}, {17, "B"}, {25, bytes({1})}}));
        QTRY_COMPARE(spy.count(), 2);
        QVERIFY(info().is_new());
        http->answer(address, 503, QByteArray());
        parse(record({{16, "AB"}, {25, bytes({1})}}));
        QTRY_COMPARE(spy.count(), 4);
        QCOMPARE(info().newVersion(), QStringLiteral("--"));
        QVERIFY(!info().is_new());
        QCOMPARE(app->footer_message(), qtTrId("Footer_FWCheckError"));
    }

    void aCheckAskedWhileOneRunsWaitsAndWins() {
        http->answer(QStringLiteral("http://updates.test/kelvara/lens/OLDSE.xml"), 200,
                     catalogue(QStringLiteral("09.00")), 1000);
        http->answer(QStringLiteral("http://updates.test/kelvara/lens/NEWSE.xml"), 200,
                     catalogue(QStringLiteral("01.00")));
        parse(record({{16, "OLD"}, {25, bytes({1})}}));
        parse(record({{16, "NEW"}, {25, bytes({1})}}));
        QTest::qWait(50);
        QCOMPARE(http->requests().size(), 1); // one request at a time on the one reader
        QTRY_COMPARE(http->requests().size(), 2);
        QCOMPARE(http->requests().last().url.path(), QStringLiteral("/kelvara/lens/NEWSE.xml"));
        QTRY_COMPARE(info().newVersion(), QStringLiteral("01.00"));
        QTest::qWait(50);
        QCOMPARE(info().newVersion(), QStringLiteral("01.00"));
        QVERIFY(!info().is_new());
    }

    void controllerGoneBeforeTheAnswer() {
        http->answer(QStringLiteral("http://updates.test/kelvara/lens/GONESE.xml"), 200,
                     catalogue(QStringLiteral("02.00")), 60);
        parse(record({{16, "GONE"}}));
        app.reset();
        QTest::qWait(120); // the answer arrives and is dropped
        QVERIFY(AppViewModel::shared() == nullptr);
    }

    void focusHoldLabelsOnNikonZ() {
        parse(record(NikonZ, {}, {FOCUS_HOLD, FOCUS_HOLD2}));
        ButtonItemModel buttons(&info());
        buttons.setMountType(NikonZ);
        const QString assign = qtTrId("ButtonSelect_FunctionAsign");
        QCOMPARE(buttons.functionLabel(FOCUS_HOLD2), assign + QStringLiteral("(L-Fn2)"));
        QCOMPARE(buttons.functionLabel(FOCUS_HOLD), assign + QStringLiteral("(L-Fn)"));
        QCOMPARE(buttons.functionLabel(AB_FOCUS), qtTrId("ButtonSelect_FunctionABFocus"));

        // Without function 10 on the lens, or on another mount, the plain label.
        parse(record(NikonZ, {}, {FOCUS_HOLD}));
        ButtonItemModel withoutSecondHold(&info());
        withoutSecondHold.setMountType(NikonZ);
        QCOMPARE(withoutSecondHold.functionLabel(FOCUS_HOLD), assign);
        parse(record(SonyE, {}, {FOCUS_HOLD, FOCUS_HOLD2}));
        ButtonItemModel sony(&info());
        QCOMPARE(sony.functionLabel(FOCUS_HOLD2), assign);
        QCOMPARE(sony.functionLabel(-1), QString());
        QCOMPARE(sony.functionLabel(BUTTON_FUNC_COUNT), QString());
    }

    void selectableFunctions() {
        parse(record(SonyE, {}, {1, 2, 8, 11, 20, 24, 25}));
        ButtonItemModel buttons(&info());
        QList<int> selectable;
        for (int id = -1; id <= BUTTON_FUNC_COUNT; ++id)
            if (buttons.isFunctionSelectable(id))
                selectable.append(id);
        // 11 and 20 have no label; 24 and 25 are refused by the lens check whatever the bits.
        QCOMPARE(selectable, (QList<int>{1, 2, 8}));
        QVERIFY(!buttons.functionLabels().at(24).isEmpty() &&
                !buttons.functionLabels().at(25).isEmpty());
    }

    void explanationsFollowSettingBitTen() {
        parse(record(SonyE, {}, {}));
        ButtonItemModel without(&info());
        QCOMPARE(without.functionExplanation(FOCUS_PRESET_TIME),
                 qtTrId("ButtonSelect_FocusPresetExplanation"));
        QCOMPARE(without.functionExplanation(AB_IRIS_TIME), QStringLiteral("A-B絞り説明文"));
        parse(record(SonyE, {10}, {}));
        ButtonItemModel with(&info());
        QCOMPARE(with.functionExplanation(FOCUS_PRESET_TIME),
                 qtTrId("ButtonSelect_FocusPresetDelaySettingExplanation"));
        QCOMPARE(with.functionExplanation(AB_FOCUS_TIME),
                 qtTrId("ButtonSelect_ABFocusDelaySettingExplanation"));
        QCOMPARE(with.functionExplanation(IRIS_PRESET_TIME),
                 QStringLiteral("ディレイ設定用説明文(絞りプリセット)"));
        // The time variants share the descriptions of the plain functions.
        QCOMPARE(with.functionDescription2(AB_FOCUS_TIME), with.functionDescription2(AB_FOCUS));
    }

    void focusHoldExplanationByMount() {
        const std::tuple<MountType, const char*, const char*> mounts[]{
            {SonyE, "ButtonSelect_AsignExplanation", "ButtonSelect_FunctionProcedureSony"},
            {CanonRF, "ButtonSelect_AsignExplanation", "ButtonSelect_FunctionProcedureCANON"},
            {NikonZ, "ButtonSelect_AsignExplanationForZ", "ButtonSelect_FunctionProcedureNIKON"},
            {FujiX, "ButtonSelect_AsignExplanation", "ButtonSelect_FunctionProcedureFUJI"}};
        for (const auto& [mount, first, procedure] : mounts) {
            parse(record(mount, {}, {}));
            ButtonItemModel buttons(&info());
            buttons.setMountType(mount);
            QCOMPARE(buttons.functionExplanation(FOCUS_HOLD),
                     qtTrId(first) + QLatin1Char('\n') + qtTrId(procedure));
        }
    }

    void afLimitOperations() {
        parse(record(SonyE, {}, {3, 4}));
        ButtonItemModel clicksOnly(&info());
        QCOMPARE(clicksOnly.firstOperationLabel(AFLIMIT_CLICK), QString());
        QCOMPARE(clicksOnly.secondOperationLabel(AFLIMIT_CLICK), QString());
        QCOMPARE(clicksOnly.functionDescription1(AFLIMIT_CLICK), QString());
        QCOMPARE(clicksOnly.afLimitClickLabel(AFLIMIT_WHILE_PRESS),
                 qtTrId("ButtonSelect_LabelAFLimitClick"));
        QCOMPARE(clicksOnly.afLimitLongClickDescription(AFLIMIT_CLICK),
                 qtTrId("ButtonSelect_AfLimitOnOffExplanationDescription2"));
        QCOMPARE(clicksOnly.afLimitClickLabel(FOCUS_PRESET), QString());

        parse(record(SonyE, {}, {6, 7}));
        ButtonItemModel whilePressed(&info());
        QCOMPARE(whilePressed.firstOperationLabel(AFLIMIT_LONG_PRESS),
                 qtTrId("ButtonSelect_LabelWhileRelease"));
        QCOMPARE(whilePressed.secondOperationLabel(AFLIMIT_LONG_PRESS),
                 qtTrId("ButtonSelect_LabelWhilePress"));
        QCOMPARE(whilePressed.afLimitClickLabel(AFLIMIT_CLICK), QString());
        QCOMPARE(whilePressed.firstOperationLabel(RING_SWITCH_CLICK),
                 qtTrId("ButtonSelect_LabelClick"));
        QCOMPARE(whilePressed.secondOperationLabel(VC_MODE), qtTrId("ButtonSelect_LabelLongClick"));
        QCOMPARE(whilePressed.firstOperationLabel(MFLIMIT_CLICK), QString());
    }

    void ringTexts() {
        parse(record(NikonZ, {3}, {}));
        RingItemModel z(&info());
        QCOMPARE(z.ringExplanation(RING_DIRECTION),
                 qtTrId("RingSetting_RingDirectionExplanationForZ"));
        QCOMPARE(z.ringDescription3(RING_DIRECTION),
                 qtTrId("RingSetting_RingDirectionExplanationDescription3"));
        QCOMPARE(z.ringDescription2(RING_RESPONSE),
                 qtTrId("RingSetting_RingResponseExplanationDescription2_AngleNotSupport"));
        QVERIFY(z.isRingFunctionSupported(RING_DIRECTION));
        QVERIFY(!z.isRingFunctionSupported(RING_RESPONSE));
        QVERIFY(!z.isRingFunctionSupported(2));

        parse(record(SonyE, {4, 5}, {}));
        RingItemModel e(&info());
        QCOMPARE(e.ringExplanation(RING_DIRECTION), qtTrId("RingSetting_RingDirectionExplanation"));
        QCOMPARE(e.ringDescription3(RING_DIRECTION), QString());
        QCOMPARE(e.ringDescription2(RING_RESPONSE),
                 qtTrId("RingSetting_RingResponseExplanationDescription2"));
        QVERIFY(e.isRingFunctionSupported(RING_RESPONSE));
        QCOMPARE(e.ringChoiceLabel2(RING_RESPONSE), qtTrId("RingSetting_RingResponseLinear"));
        QCOMPARE(e.ringChoiceLabel1(-1), QString());
        QCOMPARE(e.functionLabels(), (QStringList{qtTrId("Home_RingDirectionSetting"),
                                                  qtTrId("Home_RingResponseSetting")}));
    }

    void adjustmentNoteByMount() {
        // The note keys do not follow the mount names; each mount reads the key listed.
        const std::pair<MountType, const char*> mounts[]{{SonyE, "Adjustment_AFS_Sony"},
                                                         {CanonRF, "Adjustment_AFS_NIKON"},
                                                         {NikonZ, "Adjustment_AFS_FUJI"},
                                                         {FujiX, "Adjustment_AFS_CANON"}};
        for (const auto& [mount, key] : mounts) {
            parse(record(mount, {}, {}));
            AdjustItemModel adjust(&info());
            QCOMPARE(adjust.adjustExplanation(ADJUST_PINTO),
                     qtTrId("Adjustment_AfRevisionExplanation") + qtTrId(key) +
                         QStringLiteral("\n\n") + qtTrId("Adjustment_AfRevisionDescription"));
            QCOMPARE(adjust.adjustExplanation(1), QString());
        }
    }
};

QTEST_GUILESS_MAIN(TestBasicInfo)
#include "tst_basicinfo.moc"
