#include "ButtonItemModel.h"

#include "BasicInfoViewModel.h"

namespace kelvara {

namespace {

// Functions whose two operations are a click and a long press.
bool hasClickPair(int id) {
    return id == 1 || id == 2 || (id >= 12 && id <= 15) || (id >= 18 && id <= 21);
}

bool isAfLimit(int id) {
    return id == AFLIMIT_LONG_PRESS || id == AFLIMIT_CLICK || id == AFLIMIT_WHILE_PRESS ||
           id == AFLIMIT_WHILE_RELEASE;
}

// Texts of a function that do not depend on the lens: explanation description and the
// two description lines, by raw id (8 and 22, 9 and 23 share theirs).
struct Descriptions {
    const char* explanationDescription;
    const char* description1;
    const char* description2;
};

Descriptions descriptionsOf(int id) {
    switch (id) {
    case NONE:
        return {"ButtonSelect_UnusedExplanationDescription", nullptr, nullptr};
    case AFMF_SWITCH_LONG_PRESS:
    case AFMF_SWITCH_CLICK:
        return {"ButtonSelect_AfMfSwitchExplanationDescription",
                "ButtonSelect_AfMfSwitchExplanationDescription1",
                "ButtonSelect_AfMfSwitchExplanationDescription2"};
    case FOCUS_PRESET:
    case FOCUS_PRESET_TIME:
        return {"ButtonSelect_FocusPresetExplanationDescription",
                "ButtonSelect_FocusPresetExplanationDescription1",
                "ButtonSelect_FocusPresetExplanationDescription2"};
    case AB_FOCUS:
    case AB_FOCUS_TIME:
        return {"ButtonSelect_ABFocusExplanationDescription",
                "ButtonSelect_ABFocusExplanationDescription1",
                "ButtonSelect_ABFocusExplanationDescription2"};
    case RING_SWITCH_LONG_PRESS:
    case RING_SWITCH_CLICK:
        return {"ButtonSelect_MfMiSwitchExplanationDescription",
                "ButtonSelect_MfMiSwitchExplanationDescription1",
                "ButtonSelect_MfMiSwitchExplanationDescription2"};
    case INF_LOCK_LONG_PRESS:
    case INF_LOCK_CLICK:
        return {nullptr, "ButtonSelect_InfLockExplanationDescription1",
                "ButtonSelect_InfLockExplanationDescription2"};
    default:
        return {nullptr, nullptr, nullptr};
    }
}

QString textOf(const char* key) {
    return key ? qtTrId(key) : QString();
}

} // namespace

ButtonItemModel::ButtonItemModel(const BasicInfoViewModel* basicInfo, QObject* parent)
    : QObject(parent), basicInfo_(basicInfo) {
    function_labels_.resize(BUTTON_FUNC_COUNT);
    const auto put = [this](std::initializer_list<int> ids, const QString& label) {
        for (int id : ids)
            function_labels_[id] = label;
    };
    put({0}, qtTrId("ButtonSelect_FunctionUnused"));
    put({1, 2}, qtTrId("ButtonSelect_FunctionAfMfSwitch"));
    put({3, 4, 6, 7}, qtTrId("ButtonSelect_FunctionAfLimitOnOff"));
    put({5, 10}, qtTrId("ButtonSelect_FunctionAsign"));
    put({8, 22}, qtTrId("ButtonSelect_FunctionFocusPreset"));
    put({9, 23}, qtTrId("ButtonSelect_FunctionABFocus"));
    put({12, 13}, qtTrId("ButtonSelect_FunctionMfMiSwitch"));
    put({14, 15}, qtTrId("ButtonSelect_functionInfLock"));
    put({16, 17}, qtTrId("ButtonSelect_functionMFLimit"));
    // Shown as they stand, untranslated.
    put({24}, QStringLiteral("絞りプリセット"));
    put({25}, QStringLiteral("A-B絞り"));
}

void ButtonItemModel::setMountType(MountType mount) {
    if (mount == mountType_)
        return;
    mountType_ = mount;
    emit mountTypeChanged();
}

bool ButtonItemModel::supported(int id) const {
    return basicInfo_ && basicInfo_->isButtonFunctionSupported(id);
}

bool ButtonItemModel::setting(int bit) const {
    return basicInfo_ && basicInfo_->isSettingSupported(bit);
}

QString ButtonItemModel::functionLabel(int id) const {
    if (id < 0 || id >= BUTTON_FUNC_COUNT)
        return {};
    if (mountType_ == NikonZ && supported(FOCUS_HOLD2)) {
        if (id == FOCUS_HOLD2)
            return function_labels_[id] + QStringLiteral("(L-Fn2)");
        if (id == FOCUS_HOLD)
            return function_labels_[id] + QStringLiteral("(L-Fn)");
    }
    return function_labels_[id];
}

bool ButtonItemModel::isFunctionSelectable(int id) const {
    if (id < 0 || id >= BUTTON_FUNC_COUNT || function_labels_[id].isEmpty())
        return false;
    return supported(id);
}

QString ButtonItemModel::focusHoldExplanation() const {
    const QString newline = QStringLiteral("\n");
    switch (mountType_) {
    case SonyE:
        return qtTrId("ButtonSelect_AsignExplanation") + newline +
               qtTrId("ButtonSelect_FunctionProcedureSony");
    case CanonRF:
        return qtTrId("ButtonSelect_AsignExplanation") + newline +
               qtTrId("ButtonSelect_FunctionProcedureCANON");
    case NikonZ:
        return qtTrId("ButtonSelect_AsignExplanationForZ") + newline +
               qtTrId("ButtonSelect_FunctionProcedureNIKON");
    case FujiX:
        return qtTrId("ButtonSelect_AsignExplanation") + newline +
               qtTrId("ButtonSelect_FunctionProcedureFUJI");
    }
    return {};
}

QString ButtonItemModel::functionExplanation(int id) const {
    switch (id) {
    case NONE:
        return qtTrId("ButtonSelect_UnusedExplanation");
    case AFMF_SWITCH_LONG_PRESS:
    case AFMF_SWITCH_CLICK:
        return qtTrId("ButtonSelect_AfMfSwitchExplanation");
    case AFLIMIT_LONG_PRESS:
    case AFLIMIT_CLICK:
    case AFLIMIT_WHILE_PRESS:
    case AFLIMIT_WHILE_RELEASE:
        return qtTrId("ButtonSelect_AfLimitOnOffExplanation");
    case FOCUS_HOLD:
        return focusHoldExplanation();
    case FOCUS_PRESET:
        return qtTrId("ButtonSelect_FocusPresetExplanation");
    case AB_FOCUS:
        return qtTrId("ButtonSelect_ABFocusExplanation");
    case RING_SWITCH_LONG_PRESS:
    case RING_SWITCH_CLICK:
        return qtTrId("ButtonSelect_MfMiSwitchExplanation");
    case INF_LOCK_LONG_PRESS:
    case INF_LOCK_CLICK:
        return qtTrId("ButtonSelect_InfLockExplanation");
    case MFLIMIT_LONG_PRESS:
    case MFLIMIT_CLICK:
        return qtTrId("ButtonSelect_MFLimitExplanation");
    case FOCUS_PRESET_TIME:
        return qtTrId(setting(10) ? "ButtonSelect_FocusPresetDelaySettingExplanation"
                                  : "ButtonSelect_FocusPresetExplanation");
    case AB_FOCUS_TIME:
        return qtTrId(setting(10) ? "ButtonSelect_ABFocusDelaySettingExplanation"
                                  : "ButtonSelect_ABFocusExplanation");
    case IRIS_PRESET_TIME:
        return setting(10) ? QStringLiteral("ディレイ設定用説明文(絞りプリセット)")
                           : QStringLiteral("絞りプリセット説明文");
    case AB_IRIS_TIME:
        return setting(10) ? QStringLiteral("ディレイ設定用説明文(A-B絞り)")
                           : QStringLiteral("A-B絞り説明文");
    default:
        return {};
    }
}

QString ButtonItemModel::functionExplanationDescription(int id) const {
    if (isAfLimit(id))
        return qtTrId("ButtonSelect_AfLimitOnOffExplanationDescription");
    return textOf(descriptionsOf(id).explanationDescription);
}

QString ButtonItemModel::functionDescription1(int id) const {
    if (isAfLimit(id))
        return supported(AFLIMIT_WHILE_PRESS)
                   ? qtTrId("ButtonSelect_AfLimitOnOffExplanationDescription4")
                   : QString();
    return textOf(descriptionsOf(id).description1);
}

QString ButtonItemModel::functionDescription2(int id) const {
    if (isAfLimit(id))
        return supported(AFLIMIT_WHILE_RELEASE)
                   ? qtTrId("ButtonSelect_AfLimitOnOffExplanationDescription3")
                   : QString();
    return textOf(descriptionsOf(id).description2);
}

QString ButtonItemModel::firstOperationLabel(int id) const {
    if (isAfLimit(id))
        return supported(AFLIMIT_WHILE_PRESS) ? qtTrId("ButtonSelect_LabelWhileRelease")
                                              : QString();
    return hasClickPair(id) ? qtTrId("ButtonSelect_LabelClick") : QString();
}

QString ButtonItemModel::secondOperationLabel(int id) const {
    if (isAfLimit(id))
        return supported(AFLIMIT_WHILE_RELEASE) ? qtTrId("ButtonSelect_LabelWhilePress")
                                                : QString();
    return hasClickPair(id) ? qtTrId("ButtonSelect_LabelLongClick") : QString();
}

QString ButtonItemModel::afLimitClickLabel(int id) const {
    return isAfLimit(id) && supported(AFLIMIT_CLICK) ? qtTrId("ButtonSelect_LabelAFLimitClick")
                                                     : QString();
}

QString ButtonItemModel::afLimitClickDescription(int id) const {
    return isAfLimit(id) && supported(AFLIMIT_CLICK)
               ? qtTrId("ButtonSelect_AfLimitOnOffExplanationDescription1")
               : QString();
}

QString ButtonItemModel::afLimitLongClickLabel(int id) const {
    return isAfLimit(id) && supported(AFLIMIT_LONG_PRESS)
               ? qtTrId("ButtonSelect_LabelAFLimitLongClick")
               : QString();
}

QString ButtonItemModel::afLimitLongClickDescription(int id) const {
    return isAfLimit(id) && supported(AFLIMIT_LONG_PRESS)
               ? qtTrId("ButtonSelect_AfLimitOnOffExplanationDescription2")
               : QString();
}

} // namespace kelvara
