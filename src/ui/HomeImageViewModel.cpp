#include "HomeImageViewModel.h"

#include "model/BasicInfoViewModel.h"

#include <array>

namespace kelvara {

namespace {

constexpr double MARKER = 30;

// What the three drawings of one group share: the marker places and the focus ring.
struct Group {
    std::array<const char*, 3> images; // switch and button, button only, nothing
    QPointF switchAt;
    QList<QPointF> switchLines;
    QSizeF switchOffset;
    QPointF buttonAt;
    QList<QPointF> buttonLines;
    QSizeF buttonOffset;
    QList<QPointF> ringLines;
    QSizeF ringSize;
    QSizeF ringOffset;
    QSizeF ringTextOffset;
};

QList<LensType> makeRecords() {
    const std::array<const char*, 3> zoomImages{"image_lens_zoom_sw_btn", "image_lens_zoom_btn",
                                                "image_lens_zoom_nothing"};
    const QList<QPointF> zoomSwitchLines{{175, 35}, {195, 20}, {400, 20}};
    const QList<QPointF> zoomButtonLines{{176, 98}, {400, 98}};
    const Group backRing{
        zoomImages, {147, 24},       zoomSwitchLines, {250, 2},
        {147, 84},  zoomButtonLines, {250, 80},       {{102, 160}, {122, 180}, {400, 180}},
        {48, 198},  {78, 1},         {250, 162}};
    Group frontRing = backRing; // the same pictures and markers, another ring
    frontRing.ringLines = {{226, 160}, {246, 180}, {400, 180}};
    frontRing.ringSize = {48, 194};
    frontRing.ringOffset = {202, 3};
    const Group single{
        {"image_lens_single_sw_btn", "image_lens_single_btn", "image_lens_single_nothing"},
        {194, 24},
        {{224, 35}, {244, 20}, {400, 20}},
        {250, 2},
        {194, 84},
        {{224, 100}, {400, 100}},
        {250, 82},
        {{149, 160}, {169, 180}, {400, 180}},
        {48, 198},
        {125, 1},
        {250, 162}};

    QList<LensType> records;
    int classification = Zoom_Back_Ring_Switch_Button;
    for (const Group* group : std::array<const Group*, 3>{&backRing, &frontRing, &single}) {
        for (const char* image : group->images) {
            LensType t;
            t.classification = LensClassification(classification++);
            t.lensImage = QString::fromLatin1(image);
            t.switchCircleX = group->switchAt.x();
            t.switchCircleY = group->switchAt.y();
            t.switchCircleWidth = MARKER;
            t.switchCircleHeight = MARKER;
            t.switchLines = group->switchLines;
            t.switchOffset = group->switchOffset;
            t.buttonCircleX = group->buttonAt.x();
            t.buttonCircleY = group->buttonAt.y();
            t.buttonCircleWidth = MARKER;
            t.buttonCircleHeight = MARKER;
            t.buttonLines = group->buttonLines;
            t.buttonOffset = group->buttonOffset;
            t.ringLines = group->ringLines;
            t.ringWidth = group->ringSize.width();
            t.ringHeight = group->ringSize.height();
            t.ringOffset = group->ringOffset;
            t.ringTextOffset = group->ringTextOffset;
            records.append(t);
        }
    }
    return records;
}

template <typename T> QVariant published(const std::optional<T>& value) {
    return value ? QVariant::fromValue(*value) : QVariant();
}

template <typename T> QVariant published(const T& value) {
    return QVariant::fromValue(value);
}

} // namespace

LensClassification HomeImageViewModel::classify(const BasicInfoViewModel& info) {
    // Each group lists its three drawings as switch and button, button only, nothing.
    LensClassification first = Zoom_Front_Ring_Switch_Button;
    if (info.lensType() & BasicInfoViewModel::LENS_TYPE_SINGLE)
        first = Single_Switch_Button;
    else if (info.lensType() & BasicInfoViewModel::LENS_TYPE_BACK_RING)
        first = Zoom_Back_Ring_Switch_Button;
    const int step = info.customSwitchStateCount() > 0 ? 0 : (info.customButtonCount() > 0 ? 1 : 2);
    return LensClassification(first + step);
}

HomeImageViewModel::HomeImageViewModel(QObject* parent)
    : QObject(parent), lensTypes_(makeRecords()) {
    lensType_ = lensTypes_.first();
    publishLensType();
}

void HomeImageViewModel::selectLensType(LensClassification classification) {
    for (const LensType& t : lensTypes_) {
        if (t.classification == classification) {
            lensType_ = t;
            return;
        }
    }
}

void HomeImageViewModel::publishLensType() {
    bool changed = false;
    const auto copy = [&changed](QVariant& field, const QVariant& value) {
        if (field != value) {
            field = value;
            changed = true;
        }
    };
    const LensType& t = lensType_;
    copy(lensImage_, published(t.lensImage));
    copy(switchCircleX_, published(t.switchCircleX));
    copy(switchCircleY_, published(t.switchCircleY));
    copy(switchCircleWidth_, published(t.switchCircleWidth));
    copy(switchCircleHeight_, published(t.switchCircleHeight));
    copy(switchLines_, published(t.switchLines));
    copy(switchOffset_, published(t.switchOffset));
    copy(buttonCircleX_, published(t.buttonCircleX));
    copy(buttonCircleY_, published(t.buttonCircleY));
    copy(buttonCircleWidth_, published(t.buttonCircleWidth));
    copy(buttonCircleHeight_, published(t.buttonCircleHeight));
    copy(buttonLines_, published(t.buttonLines));
    copy(buttonOffset_, published(t.buttonOffset));
    copy(ringLines_, published(t.ringLines));
    copy(ringWidth_, published(t.ringWidth));
    copy(ringHeight_, published(t.ringHeight));
    copy(ringOffset_, published(t.ringOffset));
    copy(ringTextOffset_, published(t.ringTextOffset));
    if (changed)
        emit layoutChanged();
}

} // namespace kelvara
