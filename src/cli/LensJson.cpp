#include "LensJson.h"

#include "LensControls.h"

#include "controller/AppViewModel.h"
#include "model/BasicInfoViewModel.h"
#include "model/ButtonFunc.h"
#include "model/ButtonItemModel.h"
#include "model/LensSettingViewModel.h"

#include <QJsonArray>

namespace kelvara {

namespace {

template <typename List> QJsonArray array(const List& values) {
    QJsonArray out;
    for (const auto& v : values)
        out.append(v);
    return out;
}

QJsonArray range(const ClosedRange& r) {
    return QJsonArray{r.lower, r.upper};
}

QString mountName(MountType mount) {
    switch (mount) {
    case CanonRF:
        return QStringLiteral("CanonRF");
    case NikonZ:
        return QStringLiteral("NikonZ");
    case FujiX:
        return QStringLiteral("FujiX");
    case SonyE:
        break;
    }
    return QStringLiteral("SonyE");
}

QJsonObject capabilities(const AppViewModel& c) {
    const BasicInfoViewModel& info = *c.basic_info();
    QJsonArray functions;
    for (int id = 0; id < BUTTON_FUNC_COUNT; ++id)
        if (c.button_item()->isFunctionSelectable(id))
            functions.append(id);
    QJsonArray positions;
    for (const LimitPosition& p : info.limitPosition())
        positions.append(QJsonObject{{QStringLiteral("id"), p.id}, {QStringLiteral("name"), p.name}});
    return {
        {QStringLiteral("customButtonCount"), info.customButtonCount()},
        {QStringLiteral("customSwitchStateCount"), info.customSwitchStateCount()},
        {QStringLiteral("lensType"), info.lensType()},
        {QStringLiteral("firmwareType"), info.firmwareType()},
        {QStringLiteral("supportConnectType"), info.supportConnectType()},
        {QStringLiteral("specialSpecAFLimitFixedInf"), info.specialSpecAFLimitFixedInf()},
        {QStringLiteral("lensSettingSupport"), array(info.lensSettingSupport())},
        {QStringLiteral("customSwitchSupport"), array(info.customSwitchSupport())},
        {QStringLiteral("customButtonSupport"), array(info.customButtonSupport())},
        {QStringLiteral("customButtonSettings"), info.isSettingSupported(0)},
        {QStringLiteral("customSwitchSettings"), info.isSettingSupported(1)},
        {QStringLiteral("ringDirection"), info.isSettingSupported(3)},
        {QStringLiteral("ringResponse"), info.isSettingSupported(4)},
        {QStringLiteral("ringAngle"), info.isSettingSupported(5)},
        {QStringLiteral("afAdjustment"), info.isSettingSupported(7)},
        {QStringLiteral("afAdjustmentVisible"), info.isAFCustomizeVisible()},
        {QStringLiteral("delaySettings"), info.isSettingSupported(10)},
        {QStringLiteral("selectableFunctions"), functions},
        {QStringLiteral("ringAngleRange"), range(info.ringAngleRange())},
        {QStringLiteral("pintoRange"), range(info.pintoRange())},
        {QStringLiteral("focusSpeedRange"), range(info.focusSpeedRange())},
        {QStringLiteral("irisAngleRange"), range(info.irisAngleRange())},
        {QStringLiteral("focusSpeedMax"), info.focusSpeedMax()},
        {QStringLiteral("maxSec2"), info.maxSec2()},
        {QStringLiteral("limitPosition"), positions},
    };
}

QJsonObject settingsOf(const LensSettingViewModel& s) {
    QJsonArray rows;
    for (const QList<int>& row : s.aflim_pos())
        rows.append(array(row));
    return {
        {QStringLiteral("ring_function"), s.ring_function()},
        {QStringLiteral("direction"), s.direction()},
        {QStringLiteral("ring_response"), s.ring_response()},
        {QStringLiteral("ring_angle"), s.ring_angle()},
        {QStringLiteral("pinto"), s.pinto()},
        {QStringLiteral("sw_func"), s.sw_func()},
        {QStringLiteral("bt_func"), array(s.bt_func())},
        {QStringLiteral("speed"), array(s.speed())},
        {QStringLiteral("irisAngle"), array(s.irisAngle())},
        {QStringLiteral("focusSec2"), array(s.focusSec2())},
        {QStringLiteral("focusSec1"), array(s.focusSec1())},
        {QStringLiteral("focusSec0"), array(s.focusSec0())},
        {QStringLiteral("irisSec2"), array(s.irisSec2())},
        {QStringLiteral("irisSec1"), array(s.irisSec1())},
        {QStringLiteral("irisSec0"), array(s.irisSec0())},
        {QStringLiteral("focusDelay1"), array(s.focusDelay1())},
        {QStringLiteral("focusDelay0"), array(s.focusDelay0())},
        {QStringLiteral("irisDelay1"), array(s.irisDelay1())},
        {QStringLiteral("irisDelay0"), array(s.irisDelay0())},
        {QStringLiteral("aflim_pos"), rows},
    };
}

QJsonArray controls(const AppViewModel& c) {
    QJsonArray out;
    for (const LensControls::Control& control : LensControls::of(*c.basic_info())) {
        out.append(QJsonObject{
            {QStringLiteral("name"), control.name},
            {QStringLiteral("slot"), control.slot},
            {QStringLiteral("afLimitRow"), control.afLimitRow},
            {QStringLiteral("label"), qtTrId(control.labelKey)},
            {QStringLiteral("function"), c.lens_setting()->bt_func().value(control.slot)},
            {QStringLiteral("summary"), c.buttonSummaryText(control.slot, true)},
        });
    }
    return out;
}

} // namespace

QJsonObject LensJson::settings(const AppViewModel& c) {
    return settingsOf(*c.lens_setting());
}

QJsonObject LensJson::describe(const AppViewModel& c, bool firmwareCheckEnded) {
    const BasicInfoViewModel& info = *c.basic_info();
    QJsonObject summary;
    if (info.isSettingSupported(3))
        summary.insert(QStringLiteral("direction"), c.ringDirectionText());
    if (info.isSettingSupported(4))
        summary.insert(QStringLiteral("ring_response"), c.ringResponseSummaryText());
    if (info.isSettingSupported(5))
        summary.insert(QStringLiteral("ring_angle"), c.ringAngleText());
    if (info.isAFCustomizeVisible())
        summary.insert(QStringLiteral("pinto"), c.pintoText());
    return {
        {QStringLiteral("productName"), info.productName()},
        {QStringLiteral("modelName"), info.modelName()},
        {QStringLiteral("mount"), mountName(info.mountType())},
        {QStringLiteral("currentVersion"), info.currentVersion()},
        {QStringLiteral("displayCurrentVersion"), info.displayCurrentVersion()},
        {QStringLiteral("newVersion"), info.newVersion()},
        {QStringLiteral("displayNewVersion"), info.displayNewVersion()},
        {QStringLiteral("is_new"), info.is_new()},
        {QStringLiteral("firmwareCheckEnded"), firmwareCheckEnded},
        {QStringLiteral("capabilities"), capabilities(c)},
        {QStringLiteral("settings"), settings(c)},
        {QStringLiteral("controls"), controls(c)},
        {QStringLiteral("summary"), summary},
    };
}

} // namespace kelvara
