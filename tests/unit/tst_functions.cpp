// The function catalogues: labels and explanations by mount and by the lens's
// capability bits, and which functions a lens lets the user pick.
#include "FakeHttpClient.h"
#include "model/AdjustItemModel.h"
#include "model/BasicInfoViewModel.h"
#include "model/ButtonFunc.h"
#include "model/ButtonItemModel.h"
#include "model/RingItemModel.h"
#include "platform/Environment.h"

#include <QTest>

using namespace kelvara;

namespace {

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

} // namespace

class TestFunctions : public QObject {
    Q_OBJECT

    // This test's own link, client, timings and diagnostics.
    const std::shared_ptr<Environment> environment = Environment::create();

    std::unique_ptr<BasicInfoViewModel> info;

    void decode(const Bytes& rom) {
        info = std::make_unique<BasicInfoViewModel>();
        info->setRom(rom);
        info->parseRom();
    }

private slots:
    void initTestCase() {
        // The firmware check started by each decode gets no answer.
        environment->setHttpClient(std::make_shared<test::FakeHttpClient>());
    }

    void focusHoldLabelsOnNikonZ() {
        decode(record(NikonZ, {}, {FOCUS_HOLD, FOCUS_HOLD2}));
        ButtonItemModel buttons(info.get());
        buttons.setMountType(NikonZ);
        const QString assign = qtTrId("ButtonSelect_FunctionAsign");
        QCOMPARE(buttons.functionLabel(FOCUS_HOLD2), assign + QStringLiteral("(L-Fn2)"));
        QCOMPARE(buttons.functionLabel(FOCUS_HOLD), assign + QStringLiteral("(L-Fn)"));
        QCOMPARE(buttons.functionLabel(AB_FOCUS), qtTrId("ButtonSelect_FunctionABFocus"));

        // Without function 10 on the lens, or on another mount, the plain label.
        decode(record(NikonZ, {}, {FOCUS_HOLD}));
        ButtonItemModel withoutSecondHold(info.get());
        withoutSecondHold.setMountType(NikonZ);
        QCOMPARE(withoutSecondHold.functionLabel(FOCUS_HOLD), assign);
        decode(record(SonyE, {}, {FOCUS_HOLD, FOCUS_HOLD2}));
        ButtonItemModel sony(info.get());
        QCOMPARE(sony.functionLabel(FOCUS_HOLD2), assign);
        QCOMPARE(sony.functionLabel(-1), QString());
        QCOMPARE(sony.functionLabel(BUTTON_FUNC_COUNT), QString());
    }

    void selectableFunctions() {
        decode(record(SonyE, {}, {1, 2, 8, 11, 20, 24, 25}));
        ButtonItemModel buttons(info.get());
        QList<int> selectable;
        for (int id = -1; id <= BUTTON_FUNC_COUNT; ++id)
            if (buttons.isFunctionSelectable(id))
                selectable.append(id);
        // 11 and 20 have no label; 24 and 25 are refused by the lens check whatever the bits.
        QCOMPARE(selectable, (QList<int>{1, 2, 8}));
        QVERIFY(!buttons.functionLabels().at(24).isEmpty() && !buttons.functionLabels().at(25).isEmpty());
    }

    void explanationsFollowSettingBitTen() {
        decode(record(SonyE, {}, {}));
        ButtonItemModel without(info.get());
        QCOMPARE(without.functionExplanation(FOCUS_PRESET_TIME), qtTrId("ButtonSelect_FocusPresetExplanation"));
        QCOMPARE(without.functionExplanation(AB_IRIS_TIME), QStringLiteral("A-B絞り説明文"));
        decode(record(SonyE, {10}, {}));
        ButtonItemModel with(info.get());
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
            decode(record(mount, {}, {}));
            ButtonItemModel buttons(info.get());
            buttons.setMountType(mount);
            QCOMPARE(buttons.functionExplanation(FOCUS_HOLD),
                     qtTrId(first) + QLatin1Char('\n') + qtTrId(procedure));
        }
    }

    void afLimitOperations() {
        decode(record(SonyE, {}, {3, 4}));
        ButtonItemModel clicksOnly(info.get());
        QCOMPARE(clicksOnly.firstOperationLabel(AFLIMIT_CLICK), QString());
        QCOMPARE(clicksOnly.secondOperationLabel(AFLIMIT_CLICK), QString());
        QCOMPARE(clicksOnly.functionDescription1(AFLIMIT_CLICK), QString());
        QCOMPARE(clicksOnly.afLimitClickLabel(AFLIMIT_WHILE_PRESS), qtTrId("ButtonSelect_LabelAFLimitClick"));
        QCOMPARE(clicksOnly.afLimitLongClickDescription(AFLIMIT_CLICK),
                 qtTrId("ButtonSelect_AfLimitOnOffExplanationDescription2"));
        QCOMPARE(clicksOnly.afLimitClickLabel(FOCUS_PRESET), QString());

        decode(record(SonyE, {}, {6, 7}));
        ButtonItemModel whilePressed(info.get());
        QCOMPARE(whilePressed.firstOperationLabel(AFLIMIT_LONG_PRESS), qtTrId("ButtonSelect_LabelWhileRelease"));
        QCOMPARE(whilePressed.secondOperationLabel(AFLIMIT_LONG_PRESS), qtTrId("ButtonSelect_LabelWhilePress"));
        QCOMPARE(whilePressed.afLimitClickLabel(AFLIMIT_CLICK), QString());
        QCOMPARE(whilePressed.firstOperationLabel(RING_SWITCH_CLICK), qtTrId("ButtonSelect_LabelClick"));
        QCOMPARE(whilePressed.secondOperationLabel(VC_MODE), qtTrId("ButtonSelect_LabelLongClick"));
        QCOMPARE(whilePressed.firstOperationLabel(MFLIMIT_CLICK), QString());
    }

    void ringTexts() {
        decode(record(NikonZ, {3}, {}));
        RingItemModel z(info.get());
        QCOMPARE(z.ringExplanation(RING_DIRECTION), qtTrId("RingSetting_RingDirectionExplanationForZ"));
        QCOMPARE(z.ringDescription3(RING_DIRECTION), qtTrId("RingSetting_RingDirectionExplanationDescription3"));
        QCOMPARE(z.ringDescription2(RING_RESPONSE),
                 qtTrId("RingSetting_RingResponseExplanationDescription2_AngleNotSupport"));
        QVERIFY(z.isRingFunctionSupported(RING_DIRECTION));
        QVERIFY(!z.isRingFunctionSupported(RING_RESPONSE));
        QVERIFY(!z.isRingFunctionSupported(2));

        decode(record(SonyE, {4, 5}, {}));
        RingItemModel e(info.get());
        QCOMPARE(e.ringExplanation(RING_DIRECTION), qtTrId("RingSetting_RingDirectionExplanation"));
        QCOMPARE(e.ringDescription3(RING_DIRECTION), QString());
        QCOMPARE(e.ringDescription2(RING_RESPONSE), qtTrId("RingSetting_RingResponseExplanationDescription2"));
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
            decode(record(mount, {}, {}));
            AdjustItemModel adjust(info.get());
            QCOMPARE(adjust.adjustExplanation(ADJUST_PINTO),
                     qtTrId("Adjustment_AfRevisionExplanation") + qtTrId(key) +
                         QStringLiteral("\n\n") + qtTrId("Adjustment_AfRevisionDescription"));
            QCOMPARE(adjust.adjustExplanation(1), QString());
        }
    }
};

QTEST_GUILESS_MAIN(TestFunctions)
#include "tst_functions.moc"
