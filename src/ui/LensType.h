#pragma once

#include "LensClassification.h"

#include <QList>
#include <QPointF>
#include <QSizeF>
#include <QString>

#include <optional>

namespace kelvara {

// Layout of one lens drawing, in points of the drawing's own coordinate space. Offsets
// are sizes used as displacements.
struct LensType {
    LensClassification classification = Zoom_Back_Ring_Switch_Button;
    QString lensImage;
    double switchCircleX = 0;
    double switchCircleY = 0;
    double switchCircleWidth = 0;
    double switchCircleHeight = 0;
    QList<QPointF> switchLines;
    QSizeF switchOffset;
    double buttonCircleX = 0;
    double buttonCircleY = 0;
    double buttonCircleWidth = 0;
    double buttonCircleHeight = 0;
    QList<QPointF> buttonLines;
    QSizeF buttonOffset;
    QList<QPointF> ringLines;
    std::optional<double> ringWidth;
    std::optional<double> ringHeight;
    std::optional<QSizeF> ringOffset;
    std::optional<QSizeF> ringTextOffset;

    friend bool operator==(const LensType&, const LensType&) = default;
};

} // namespace kelvara
