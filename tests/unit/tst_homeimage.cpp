// The nine lens drawing layouts, their selection by lens class and when they publish.
#include "ui/HomeImageViewModel.h"

#include <QSignalSpy>
#include <QTest>

using namespace kelvara;

Q_DECLARE_METATYPE(kelvara::LensClassification)

class TestHomeImage : public QObject {
    Q_OBJECT

    static QPointF at(const QVariant& x, const QVariant& y) { return {x.toDouble(), y.toDouble()}; }

  private slots:
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
};

QTEST_GUILESS_MAIN(TestHomeImage)
#include "tst_homeimage.moc"
