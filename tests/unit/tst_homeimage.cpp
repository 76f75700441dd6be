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
    void newModelPublishesTheFirstLayout() {
        HomeImageViewModel model;
        QCOMPARE(model.lensTypes().size(), 9);
        QCOMPARE(model.lensType().classification, Zoom_Back_Ring_Switch_Button);
        QCOMPARE(model.lensImage().toString(), QStringLiteral("image_lens_zoom_sw_btn"));
        QCOMPARE(model.ringOffset().value<QSizeF>(), QSizeF(78, 1));
    }

    void records_data() {
        QTest::addColumn<LensClassification>("classification");
        QTest::addColumn<QString>("image");
        QTest::addColumn<QPointF>("switchAt");
        QTest::addColumn<QPointF>("buttonAt");
        QTest::addColumn<QSizeF>("buttonLabel");
        QTest::addColumn<QSizeF>("ringSize");
        QTest::addColumn<QSizeF>("ringOffset");
        QTest::addColumn<QPointF>("ringLineStart");

        const QPointF zoomSwitch(147, 24), zoomButton(147, 84);
        const QPointF singleSwitch(194, 24), singleButton(194, 84);
        const QSizeF zoomLabel(250, 80), singleLabel(250, 82);
        const QSizeF back(48, 198), front(48, 194);
        QTest::addRow("zoom back ring, switch and button")
            << Zoom_Back_Ring_Switch_Button << "image_lens_zoom_sw_btn" << zoomSwitch << zoomButton
            << zoomLabel << back << QSizeF(78, 1) << QPointF(102, 160);
        QTest::addRow("zoom back ring, button")
            << Zoom_Back_Ring_Button << "image_lens_zoom_btn" << zoomSwitch << zoomButton
            << zoomLabel << back << QSizeF(78, 1) << QPointF(102, 160);
        QTest::addRow("zoom back ring, nothing")
            << Zoom_Back_Ring_Nothing << "image_lens_zoom_nothing" << zoomSwitch << zoomButton
            << zoomLabel << back << QSizeF(78, 1) << QPointF(102, 160);
        QTest::addRow("zoom front ring, switch and button")
            << Zoom_Front_Ring_Switch_Button << "image_lens_zoom_sw_btn" << zoomSwitch << zoomButton
            << zoomLabel << front << QSizeF(202, 3) << QPointF(226, 160);
        QTest::addRow("zoom front ring, button")
            << Zoom_Front_Ring_Button << "image_lens_zoom_btn" << zoomSwitch << zoomButton
            << zoomLabel << front << QSizeF(202, 3) << QPointF(226, 160);
        QTest::addRow("zoom front ring, nothing")
            << Zoom_Front_Ring_Nothing << "image_lens_zoom_nothing" << zoomSwitch << zoomButton
            << zoomLabel << front << QSizeF(202, 3) << QPointF(226, 160);
        QTest::addRow("single, switch and button")
            << Single_Switch_Button << "image_lens_single_sw_btn" << singleSwitch << singleButton
            << singleLabel << back << QSizeF(125, 1) << QPointF(149, 160);
        QTest::addRow("single, button")
            << Single_Button << "image_lens_single_btn" << singleSwitch << singleButton
            << singleLabel << back << QSizeF(125, 1) << QPointF(149, 160);
        QTest::addRow("single, nothing")
            << Single_Nothing << "image_lens_single_nothing" << singleSwitch << singleButton
            << singleLabel << back << QSizeF(125, 1) << QPointF(149, 160);
    }

    void records() {
        QFETCH(LensClassification, classification);
        QFETCH(QString, image);
        QFETCH(QPointF, switchAt);
        QFETCH(QPointF, buttonAt);
        QFETCH(QSizeF, buttonLabel);
        QFETCH(QSizeF, ringSize);
        QFETCH(QSizeF, ringOffset);
        QFETCH(QPointF, ringLineStart);

        HomeImageViewModel model;
        model.selectLensType(classification);
        model.publishLensType();
        QCOMPARE(model.lensType().classification, classification);
        QCOMPARE(model.lensImage().toString(), image);
        QCOMPARE(at(model.switchCircleX(), model.switchCircleY()), switchAt);
        QCOMPARE(at(model.buttonCircleX(), model.buttonCircleY()), buttonAt);
        QCOMPARE(model.buttonOffset().value<QSizeF>(), buttonLabel);
        for (const QVariant& side : {model.switchCircleWidth(), model.switchCircleHeight(),
                                     model.buttonCircleWidth(), model.buttonCircleHeight()})
            QCOMPARE(side.toDouble(), 30.0);
        QCOMPARE(QSizeF(model.ringWidth().toDouble(), model.ringHeight().toDouble()), ringSize);
        QCOMPARE(model.ringOffset().value<QSizeF>(), ringOffset);
        QCOMPARE(model.ringTextOffset().value<QSizeF>(), QSizeF(250, 162));
        const auto ringLines = model.ringLines().value<QList<QPointF>>();
        QCOMPARE(ringLines.size(), 3);
        QCOMPARE(ringLines.first(), ringLineStart);
        QCOMPARE(ringLines.last(), QPointF(400, 180));
        // Every leader line ends at the label column.
        QCOMPARE(model.switchLines().value<QList<QPointF>>().last().x(), 400.0);
        QCOMPARE(model.buttonLines().value<QList<QPointF>>().last().x(), 400.0);
    }

    void frontAndBackRingShareTheirPictures() {
        HomeImageViewModel model;
        const QList<LensType>& all = model.lensTypes();
        for (int i = 0; i < 3; ++i) {
            const LensType& back = all[i];
            const LensType& front = all[i + 3];
            QCOMPARE(front.lensImage, back.lensImage);
            QCOMPARE(front.switchLines, back.switchLines);
            QCOMPARE(front.buttonLines, back.buttonLines);
            QVERIFY(front.ringOffset != back.ringOffset);
        }
    }

    void selectingWithoutPublishingShowsNothingNew() {
        HomeImageViewModel model;
        QSignalSpy spy(&model, &HomeImageViewModel::layoutChanged);
        model.selectLensType(Single_Nothing);
        QCOMPARE(model.lensImage().toString(), QStringLiteral("image_lens_zoom_sw_btn"));
        QCOMPARE(spy.count(), 0);
        model.publishLensType();
        QCOMPARE(spy.count(), 1);
        QCOMPARE(model.lensImage().toString(), QStringLiteral("image_lens_single_nothing"));
        model.publishLensType(); // the same layout again: nothing to tell
        QCOMPARE(spy.count(), 1);
    }

    void unknownClassificationChangesNothing() {
        HomeImageViewModel model;
        model.selectLensType(Single_Button);
        model.publishLensType();
        QSignalSpy spy(&model, &HomeImageViewModel::layoutChanged);
        model.selectLensType(LensClassification(42));
        model.publishLensType();
        QCOMPARE(model.lensType().classification, Single_Button);
        QCOMPARE(model.lensImage().toString(), QStringLiteral("image_lens_single_btn"));
        QCOMPARE(spy.count(), 0);
    }
};

QTEST_GUILESS_MAIN(TestHomeImage)
#include "tst_homeimage.moc"
