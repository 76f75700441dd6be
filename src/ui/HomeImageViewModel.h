#pragma once

#include "LensType.h"

#include <QList>
#include <QObject>
#include <QVariant>

namespace kelvara {

class BasicInfoViewModel;

// The nine lens drawing layouts and the one the home page shows. The published copies
// are empty until first published; the drawing observes them, never `lensType`.
class HomeImageViewModel : public QObject {
    Q_OBJECT
    Q_PROPERTY(QVariant lensImage READ lensImage NOTIFY layoutChanged)
    Q_PROPERTY(QVariant switchCircleX READ switchCircleX NOTIFY layoutChanged)
    Q_PROPERTY(QVariant switchCircleY READ switchCircleY NOTIFY layoutChanged)
    Q_PROPERTY(QVariant switchCircleWidth READ switchCircleWidth NOTIFY layoutChanged)
    Q_PROPERTY(QVariant switchCircleHeight READ switchCircleHeight NOTIFY layoutChanged)
    Q_PROPERTY(QVariant switchLines READ switchLines NOTIFY layoutChanged)
    Q_PROPERTY(QVariant switchOffset READ switchOffset NOTIFY layoutChanged)
    Q_PROPERTY(QVariant buttonCircleX READ buttonCircleX NOTIFY layoutChanged)
    Q_PROPERTY(QVariant buttonCircleY READ buttonCircleY NOTIFY layoutChanged)
    Q_PROPERTY(QVariant buttonCircleWidth READ buttonCircleWidth NOTIFY layoutChanged)
    Q_PROPERTY(QVariant buttonCircleHeight READ buttonCircleHeight NOTIFY layoutChanged)
    Q_PROPERTY(QVariant buttonLines READ buttonLines NOTIFY layoutChanged)
    Q_PROPERTY(QVariant buttonOffset READ buttonOffset NOTIFY layoutChanged)
    Q_PROPERTY(QVariant ringLines READ ringLines NOTIFY layoutChanged)
    Q_PROPERTY(QVariant ringWidth READ ringWidth NOTIFY layoutChanged)
    Q_PROPERTY(QVariant ringHeight READ ringHeight NOTIFY layoutChanged)
    Q_PROPERTY(QVariant ringOffset READ ringOffset NOTIFY layoutChanged)
    Q_PROPERTY(QVariant ringTextOffset READ ringTextOffset NOTIFY layoutChanged)

  public:
    explicit HomeImageViewModel(QObject* parent = nullptr);

    // The drawing of the lens that record describes.
    static LensClassification classify(const BasicInfoViewModel& info);
    // Makes the first record of that classification current; publishes nothing.
    void selectLensType(LensClassification classification);
    // Copies the current record into the published fields.
    void publishLensType();

    const LensType& lensType() const { return lensType_; }
    const QList<LensType>& lensTypes() const { return lensTypes_; }

    QVariant lensImage() const { return lensImage_; }
    QVariant switchCircleX() const { return switchCircleX_; }
    QVariant switchCircleY() const { return switchCircleY_; }
    QVariant switchCircleWidth() const { return switchCircleWidth_; }
    QVariant switchCircleHeight() const { return switchCircleHeight_; }
    QVariant switchLines() const { return switchLines_; }
    QVariant switchOffset() const { return switchOffset_; }
    QVariant buttonCircleX() const { return buttonCircleX_; }
    QVariant buttonCircleY() const { return buttonCircleY_; }
    QVariant buttonCircleWidth() const { return buttonCircleWidth_; }
    QVariant buttonCircleHeight() const { return buttonCircleHeight_; }
    QVariant buttonLines() const { return buttonLines_; }
    QVariant buttonOffset() const { return buttonOffset_; }
    QVariant ringLines() const { return ringLines_; }
    QVariant ringWidth() const { return ringWidth_; }
    QVariant ringHeight() const { return ringHeight_; }
    QVariant ringOffset() const { return ringOffset_; }
    QVariant ringTextOffset() const { return ringTextOffset_; }

  signals:
    void layoutChanged();

  private:
    LensType lensType_;
    QVariant lensImage_;
    QVariant switchCircleX_;
    QVariant switchCircleY_;
    QVariant switchCircleWidth_;
    QVariant switchCircleHeight_;
    QVariant switchLines_;
    QVariant switchOffset_;
    QVariant buttonCircleX_;
    QVariant buttonCircleY_;
    QVariant buttonCircleWidth_;
    QVariant buttonCircleHeight_;
    QVariant buttonLines_;
    QVariant buttonOffset_;
    QVariant ringLines_;
    QVariant ringWidth_;
    QVariant ringHeight_;
    QVariant ringOffset_;
    QVariant ringTextOffset_;
    QList<LensType> lensTypes_;
};

} // namespace kelvara
