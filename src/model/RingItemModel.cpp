#include "RingItemModel.h"

#include "BasicInfoViewModel.h"
#include "ButtonFunc.h"

namespace kelvara {

RingItemModel::RingItemModel(const BasicInfoViewModel* basicInfo, QObject* parent)
    : QObject(parent), basicInfo_(basicInfo), function_labels_{qtTrId("Home_RingDirectionSetting"),
                                                               qtTrId("Home_RingResponseSetting")} {
}

bool RingItemModel::onNikonZ() const {
    return basicInfo_ && basicInfo_->mountType() == NikonZ;
}

bool RingItemModel::setting(int bit) const {
    return basicInfo_ && basicInfo_->isSettingSupported(bit);
}

QString RingItemModel::ringExplanation(int id) const {
    if (id == RING_DIRECTION)
        return onNikonZ() ? qtTrId("RingSetting_RingDirectionExplanationForZ")
                          : qtTrId("RingSetting_RingDirectionExplanation");
    if (id == RING_RESPONSE)
        return qtTrId("RingSetting_RingResponseExplanation");
    return {};
}

QString RingItemModel::ringChoiceLabel1(int id) const {
    if (id == RING_DIRECTION)
        return qtTrId("RingSetting_RingDirectionDefault");
    if (id == RING_RESPONSE)
        return qtTrId("RingSetting_RingResponseNonLinear");
    return {};
}

QString RingItemModel::ringChoiceLabel2(int id) const {
    if (id == RING_DIRECTION)
        return qtTrId("RingSetting_RingDirectionReverse");
    if (id == RING_RESPONSE)
        return qtTrId("RingSetting_RingResponseLinear");
    return {};
}

QString RingItemModel::ringDescription1(int id) const {
    if (id == RING_DIRECTION)
        return qtTrId("RingSetting_RingDirectionExplanationDescription1");
    if (id == RING_RESPONSE)
        return qtTrId("RingSetting_RingResponseExplanationDescription1");
    return {};
}

QString RingItemModel::ringDescription2(int id) const {
    if (id == RING_DIRECTION)
        return qtTrId("RingSetting_RingDirectionExplanationDescription2");
    if (id == RING_RESPONSE)
        return setting(5)
                   ? qtTrId("RingSetting_RingResponseExplanationDescription2")
                   : qtTrId("RingSetting_RingResponseExplanationDescription2_AngleNotSupport");
    return {};
}

QString RingItemModel::ringDescription3(int id) const {
    return id == RING_DIRECTION && onNikonZ()
               ? qtTrId("RingSetting_RingDirectionExplanationDescription3")
               : QString();
}

bool RingItemModel::isRingFunctionSupported(int id) const {
    if (id == RING_DIRECTION)
        return setting(3);
    if (id == RING_RESPONSE)
        return setting(4);
    return false;
}

} // namespace kelvara
