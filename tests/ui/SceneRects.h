#pragma once

#include <QQuickItem>
#include <QRectF>
#include <QString>

namespace kelvara {

// The item's bounds in window coordinates.
inline QRectF sceneRect(const QQuickItem* item) {
    return item->mapRectToScene(QRectF(0, 0, item->width(), item->height()));
}

// Equal but for the rounding of the scaled layout.
inline bool near(const QRectF& a, const QRectF& b) {
    const qreal e = 0.01;
    return qAbs(a.x() - b.x()) < e && qAbs(a.y() - b.y()) < e && qAbs(a.width() - b.width()) < e &&
           qAbs(a.height() - b.height()) < e;
}

// A rectangle of the lens drawing's own 400 x 200 space in window coordinates: the
// drawing scales it evenly and centres it.
inline QRectF drawingToScene(const QQuickItem* drawing, const QRectF& r) {
    const qreal k = qMin(drawing->width() / 400, drawing->height() / 200);
    const QPointF origin =
        drawing->mapToScene(QPointF((drawing->width() - 400 * k) / 2, (drawing->height() - 200 * k) / 2));
    return QRectF(origin + r.topLeft() * k, r.size() * k);
}

// "(x, y wxh)", for failure messages.
inline QString describe(const QRectF& r) {
    return QStringLiteral("(%1, %2 %3x%4)").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

} // namespace kelvara
