#include "AdjustItemModel.h"

#include "BasicInfoViewModel.h"
#include "ButtonFunc.h"

namespace kelvara {

AdjustItemModel::AdjustItemModel(const BasicInfoViewModel* basicInfo, QObject* parent)
    : QObject(parent), basicInfo_(basicInfo), function_labels_{qtTrId("Adjustment_AfRevision")} {}

QString AdjustItemModel::mountNote() const {
    // The keys do not follow the mount names; they are looked up as the tables name them.
    const char* key = "Adjustment_AFS_Sony";
    switch (basicInfo_ ? basicInfo_->mountType() : SonyE) {
    case SonyE:
        key = "Adjustment_AFS_Sony";
        break;
    case CanonRF:
        key = "Adjustment_AFS_NIKON";
        break;
    case NikonZ:
        key = "Adjustment_AFS_FUJI";
        break;
    case FujiX:
        key = "Adjustment_AFS_CANON";
        break;
    }
    const QString text = qtTrId(key);
    return text.isEmpty() ? QString() : text + QStringLiteral("\n\n");
}

QString AdjustItemModel::adjustExplanation(int id) const {
    if (id != ADJUST_PINTO)
        return {};
    return qtTrId("Adjustment_AfRevisionExplanation") + mountNote() +
           qtTrId("Adjustment_AfRevisionDescription");
}

} // namespace kelvara
