// The home page's lens drawing against the virtual lens, and the artwork it draws.
#include "MainWindow.h"
#include "SceneRects.h"
#include "WindowHarness.h"

#include "controller/AppViewModel.h"
#include "controller/MenuId.h"
#include "model/BasicInfoViewModel.h"
#include "ui/HomeImageViewModel.h"

#include <QDirIterator>
#include <QImageReader>
#include <QQmlApplicationEngine>
#include <QQmlComponent>
#include <QQuickItem>
#include <QQuickWindow>
#include <QRegularExpression>
#include <QtTest>

#include <memory>

using namespace kelvara;

namespace {

const QSize SMALLEST(800, 600);
const QSize USUAL(1024, 720);

// Resizes the window and lets the pages lay themselves out for the new size: drawing a
// frame polishes every item.
void resize(QQuickWindow* window, const QSize& size) {
    window->resize(size);
    QTRY_COMPARE(window->contentItem()->size(), QSizeF(size));
    QCoreApplication::processEvents();
    QVERIFY(!window->grabWindow().isNull());
}

// An artwork file drawn at that size, or a null image.
QImage render(const QString& path, const QSize& size) {
    QImageReader reader(path);
    reader.setScaledSize(size);
    return reader.read().convertToFormat(QImage::Format_ARGB32);
}

// The pixel that holds that point (not the nearest corner).
bool opaque(const QImage& image, QPointF at) {
    return qAlpha(image.pixel(int(at.x()), int(at.y()))) == 255;
}

QImage region(const QImage& image, const QRectF& area) { return image.copy(area.toRect()); }

// The mark of one control in the drawing's own space.
struct Mark {
    QString name;   // "switch", "button" or "ring", the start of the object names
    QRectF area;
    MenuId page;    // the page a click opens
};

QString markerName(const QString& part) {
    return part + (part == QLatin1String("ring") ? QStringLiteral("Highlight") : QStringLiteral("Marker"));
}

} // namespace

class LensDrawingTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QVERIFY(userFiles_.isValid());
        WindowHarness::isolateUserFiles(userFiles_.path());
    }

    // Every picture or icon a page names, and every lens picture of the layouts, is in the
    // resources and draws something; the icons are one colour for the tinting.
    void artworkNamedByThePagesExists() {
        QSet<QString> names;
        const QRegularExpression named(QStringLiteral("[\"/]((?:icon|image)_\\w*?)(?:\\.svg)?\""));
        QDirIterator pages(QStringLiteral(":/Kelvara/LensUtility"), {QStringLiteral("*.qml")});
        int files = 0;
        while (pages.hasNext()) {
            QFile file(pages.next());
            QVERIFY(file.open(QIODevice::ReadOnly));
            ++files;
            auto matches = named.globalMatch(QString::fromUtf8(file.readAll()));
            while (matches.hasNext())
                names.insert(matches.next().captured(1));
        }
        QVERIFY(files > 10);
        QVERIFY2(names.size() > 30, qPrintable(QString::number(names.size())));
        const HomeImageViewModel layouts;
        for (const LensType& t : layouts.lensTypes())
            names.insert(t.lensImage);

        for (const QString& name : std::as_const(names)) {
            const bool icon = name.startsWith(QStringLiteral("icon_"));
            const QString path = QStringLiteral(":/kelvara/%1/%2.svg")
                                     .arg(icon ? QStringLiteral("icons") : QStringLiteral("images"), name);
            QVERIFY2(QFile::exists(path), qPrintable(path + QStringLiteral(" is missing")));
            const QImage image = render(path, QSize(48, 48));
            QVERIFY2(!image.isNull(), qPrintable(path + QStringLiteral(" does not draw")));
            int inked = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) {
                    const QRgb p = image.pixel(x, y);
                    if (qAlpha(p) == 0)
                        continue;
                    ++inked;
                    // The tint replaces the colour: an icon in another colour would look
                    // different before and after.
                    if (icon && qAlpha(p) == 255)
                        QVERIFY2(qRed(p) == 0 && qGreen(p) == 0 && qBlue(p) == 0,
                                 qPrintable(path + QStringLiteral(" is not black")));
                }
            QVERIFY2(inked > 48, qPrintable(path + QStringLiteral(" is nearly empty")));
        }
    }

    // Drawn at the drawing's own size, each lens picture has its switch, button and focus
    // ring where the layouts put their marks, leaves the labels' side empty, and the pictures
    // without a switch or button really lack it.
    void lensPicturesCarryTheControls() {
        const HomeImageViewModel layouts;
        QHash<QString, QImage> drawn;
        for (const LensType& t : layouts.lensTypes()) {
            if (!drawn.contains(t.lensImage))
                drawn.insert(t.lensImage, render(QStringLiteral(":/kelvara/images/%1.svg").arg(t.lensImage),
                                                 QSize(400, 200)));
        }
        for (const LensType& t : layouts.lensTypes()) {
            const QImage image = drawn.value(t.lensImage);
            QVERIFY2(!image.isNull(), qPrintable(t.lensImage));
            const QString what = t.lensImage + QLatin1Char(' ');
            const QRectF switchArea(t.switchCircleX, t.switchCircleY, t.switchCircleWidth, t.switchCircleHeight);
            const QRectF buttonArea(t.buttonCircleX, t.buttonCircleY, t.buttonCircleWidth, t.buttonCircleHeight);
            const bool hasSwitch = t.lensImage.contains(QStringLiteral("_sw_"));
            const bool hasButton = t.lensImage.contains(QStringLiteral("_btn"));
            // The barrel is under both marks whether or not a control is drawn there.
            QVERIFY2(opaque(image, switchArea.center()), qPrintable(what + QStringLiteral("switch place")));
            QVERIFY2(opaque(image, buttonArea.center()), qPrintable(what + QStringLiteral("button place")));
            for (const QList<QPointF>& line : {t.switchLines, t.buttonLines, t.ringLines})
                QVERIFY2(opaque(image, line.first()), qPrintable(what + QStringLiteral("line start")));
            const QRectF ring(t.ringOffset->width(), t.ringOffset->height(), *t.ringWidth, *t.ringHeight);
            for (qreal x = ring.left() + 0.5; x < ring.right(); x += 1)
                for (qreal y : {ring.top() + 3, ring.center().y(), ring.bottom() - 3})
                    QVERIFY2(opaque(image, QPointF(x, y)), qPrintable(what + QStringLiteral("ring at %1").arg(x)));
            for (int y = 0; y < image.height(); y += 4)
                for (int x = 250; x < image.width(); x += 4)
                    QVERIFY2(qAlpha(image.pixel(x, y)) == 0, qPrintable(what + QStringLiteral("label side")));

            // The same drawing without the control differs exactly where the control is.
            QString plain = t.lensImage;
            if (hasSwitch) {
                plain.replace(QStringLiteral("_sw_btn"), QStringLiteral("_btn"));
                QVERIFY(drawn.contains(plain));
                QVERIFY2(region(image, switchArea) != region(drawn.value(plain), switchArea),
                         qPrintable(what + QStringLiteral("has no switch")));
                QCOMPARE(region(image, buttonArea), region(drawn.value(plain), buttonArea));
            } else if (hasButton) {
                plain.replace(QStringLiteral("_btn"), QStringLiteral("_nothing"));
                QVERIFY(drawn.contains(plain));
                QVERIFY2(region(image, buttonArea) != region(drawn.value(plain), buttonArea),
                         qPrintable(what + QStringLiteral("has no button")));
                QCOMPARE(region(image, switchArea), region(drawn.value(plain), switchArea));
            }
        }
    }

    void drawingFollowsTheLens_data() {
        QTest::addColumn<QString>("preset");
        QTest::addColumn<QLocale::Language>("language");
        QTest::addColumn<bool>("dark");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<bool>("hasSwitch");
        QTest::newRow("zoom-e en") << "zoom-e" << QLocale::English << false << "image_lens_zoom_sw_btn" << true;
        QTest::newRow("zoom-e ja") << "zoom-e" << QLocale::Japanese << false << "image_lens_zoom_sw_btn" << true;
        QTest::newRow("zoom-e dark") << "zoom-e" << QLocale::English << true << "image_lens_zoom_sw_btn" << true;
        QTest::newRow("prime-z en") << "prime-z" << QLocale::English << false << "image_lens_single_btn" << false;
        QTest::newRow("prime-z ja") << "prime-z" << QLocale::Japanese << false << "image_lens_single_btn" << false;
    }

    void drawingFollowsTheLens() {
        QFETCH(QString, preset);
        QFETCH(QLocale::Language, language);
        QFETCH(bool, dark);
        QFETCH(QString, picture);
        QFETCH(bool, hasSwitch);
        QVERIFY(WindowHarness::restart(&ui_, {.preset = preset, .language = language, .dark = dark}));
        QQuickWindow* window = ui_->window();
        const QString lensName = preset.section(QLatin1Char('-'), 0, 0);

        // At either size, the buttons of both purposes are on screen without scrolling.
        for (const QSize& size : {USUAL, SMALLEST}) {
            resize(window, size);
            QTRY_COMPARE(ui_->pageName(), QStringLiteral("connectPage"));
            if (preset == QLatin1String("zoom-e"))
                ui_->picture(QStringLiteral("connectPage-%1x%2").arg(size.width()).arg(size.height()));
            const QRectF page = sceneRect(item(QStringLiteral("connectPage")));
            QVERIFY2(QRectF(QPointF(), window->size()).contains(page), qPrintable(describe(page)));
            for (const QString& name : {QStringLiteral("connectCustomize"), QStringLiteral("connectFirmware")})
                QVERIFY2(ui_->shown(name) && page.contains(sceneRect(item(name))), qPrintable(name));
        }

        QVERIFY(ui_->connect(true));
        QTRY_COMPARE(ui_->pageName(), QStringLiteral("homePage"));
        QCOMPARE(ui_->vm().basic_info()->customSwitchStateCount() != 0, hasSwitch);
        QVERIFY(ui_->property(QStringLiteral("lensPicture"), "source").toUrl().toString().endsWith(
            picture + QStringLiteral(".svg")));

        // A control's circle as the lens's layout gives it.
        const HomeImageViewModel* layout = ui_->vm().home_image();
        const auto circle = [layout](const QString& part) {
            const auto at = [&](const char* field) {
                return layout->property(qPrintable(part + QLatin1String(field))).toDouble();
            };
            return QRectF(at("CircleX"), at("CircleY"), at("CircleWidth"), at("CircleHeight"));
        };
        const QSizeF ringAt = layout->ringOffset().toSizeF();
        const MenuId buttonPage = hasSwitch ? CSW_CBT_SETTING : CBT_SETTING;
        QList<Mark> shown{{QStringLiteral("ring"),
                           QRectF(ringAt.width(), ringAt.height(), layout->ringWidth().toDouble(),
                                  layout->ringHeight().toDouble()),
                           RING_SETTING},
                          {QStringLiteral("button"), circle(QStringLiteral("button")), buttonPage}};
        if (hasSwitch)
            shown.append({QStringLiteral("switch"), circle(QStringLiteral("switch")), CSW_CBT_SETTING});
        const QStringList hidden = hasSwitch ? QStringList() : QStringList{QStringLiteral("switch")};

        for (const QSize& size : {USUAL, SMALLEST}) {
            resize(window, size);
            QTRY_COMPARE(ui_->pageName(), QStringLiteral("homePage"));
            marksSitOnTheLayout(shown, hidden);
            QVERIFY(!QTest::currentTestFailed());
            ui_->picture(QStringLiteral("homePage-%1-%2x%3").arg(lensName).arg(size.width()).arg(size.height()));
        }

        const QString summary = hasSwitch ? QStringLiteral("summarySwitch") : QStringLiteral("summaryButton");
        hoverIsShared(summary, hasSwitch ? QStringLiteral("switch") : QStringLiteral("button"));
        hoverIsShared(QStringLiteral("summaryRing"), QStringLiteral("ring"));
        QList<std::pair<QString, MenuId>> clicks{{summary, buttonPage}, {QStringLiteral("summaryRingAction"), RING_SETTING}};
        for (const Mark& mark : std::as_const(shown))
            clicks << std::pair{markerName(mark.name), mark.page} << std::pair{mark.name + QStringLiteral("Label"), mark.page};
        for (const auto& [name, page] : std::as_const(clicks)) {
            ui_->vm().setSelected_menu(HOME);
            QTRY_COMPARE(ui_->pageName(), QStringLiteral("homePage"));
            ui_->click(name);
            QVERIFY(!QTest::currentTestFailed());
            QTRY_COMPARE(ui_->vm().selected_menu(), int(page));
        }
    }

  private:
    // The drawing keeps its 2:1 shape in the middle of its card, every mark lies where the
    // layout puts it under the drawing's one scale and offset, and each label's text fits.
    void marksSitOnTheLayout(const QList<Mark>& shown, const QStringList& hidden) {
        QQuickItem* drawing = item(QStringLiteral("lensDrawing"));
        QVERIFY(drawing && ui_->shown(QStringLiteral("lensDrawing")));
        const qreal w = drawing->width();
        const qreal h = drawing->height();
        const QPointF middle = sceneRect(drawing).center() - sceneRect(item(QStringLiteral("lensDrawingCard"))).center();
        QVERIFY2(w > 200 && qAbs(w - 2 * h) <= 1 && qAbs(middle.x()) <= 1 && qAbs(middle.y()) <= 1,
                 qPrintable(describe(sceneRect(drawing))));
        const auto toScene = [drawing](const QRectF& r) { return drawingToScene(drawing, r); };
        QVERIFY(near(sceneRect(item(QStringLiteral("lensPicture"))), toScene(QRectF(0, 0, 400, 200))));

        for (const Mark& mark : shown) {
            const QStringList parts{markerName(mark.name), mark.name + QStringLiteral("Label"),
                                    mark.name + QStringLiteral("Line")};
            QCOMPARE(ui_->shownAmong(parts), parts);
            const QRectF marker = sceneRect(item(parts[0]));
            QVERIFY2(near(marker, toScene(mark.area)),
                     qPrintable(mark.name + describe(marker) + QStringLiteral(" != ") + describe(toScene(mark.area))));
            QQuickItem* label = item(parts[1]);
            QQuickItem* text = label->childItems().value(0);
            QVERIFY(text);
            QVERIFY2(!text->property("truncated").toBool() &&
                         text->property("contentWidth").toReal() <= text->width() + 0.5 &&
                         text->property("contentHeight").toReal() <= label->height() + 0.5,
                     qPrintable(mark.name + QStringLiteral(" label is cut")));
        }
        for (const QString& name : hidden)
            QCOMPARE(ui_->shownAmong({markerName(name), name + QStringLiteral("Label"), name + QStringLiteral("Line")}),
                     QStringList());
    }

    // Pointing at the summary block lights the part in the drawing (line 2 wide in the accent
    // colour, marker filled half white) and leaving puts it back; pointing at the part lights
    // the block.
    void hoverIsShared(const QString& block, const QString& part) {
        QQuickWindow* window = ui_->window();
        // The accent of the window's own Theme.
        QQmlComponent probe(&ui_->shell().engine());
        probe.setData("import QtQuick\nimport Kelvara.LensUtility\n"
                      "QtObject { readonly property color accent: Theme.accent }", QUrl());
        const std::unique_ptr<QObject> theme(probe.create());
        QVERIFY2(theme, qPrintable(probe.errorString()));
        const QColor accent = theme->property("accent").value<QColor>();
        QQuickItem* line = item(part + QStringLiteral("Line"));
        QQuickItem* marker = item(markerName(part));
        QQuickItem* summary = item(block);
        QVERIFY(line && marker && summary);
        // Line width, whether in the accent colour, the marker's fill, the block lit.
        const auto look = [&] {
            return QVariantList{line->property("lineWidth").toReal(),
                                line->property("lineColor").value<QColor>() == accent,
                                marker->property("color").value<QColor>().alpha() == 0
                                    ? QColor(Qt::transparent)
                                    : marker->property("color").value<QColor>(),
                                summary->property("highlighted").toBool()};
        };
        const QVariantList plain{1.0, false, QColor(Qt::transparent), false};
        const QVariantList lit{2.0, true, QColor::fromRgbF(1, 1, 1, 0.5), true};
        const QPoint away = (sceneRect(item(QStringLiteral("lensDrawingCard"))).topLeft() + QPointF(4, 4)).toPoint();
        const QPointF inside = sceneRect(summary).center();
        QVERIFY2(QRectF(QPointF(), window->size()).contains(inside), qPrintable(block + QStringLiteral(" is off screen")));
        for (const QPoint at : {inside.toPoint(), sceneRect(marker).center().toPoint()}) {
            QTest::mouseMove(window, away);
            QTRY_COMPARE(look(), plain);
            QTest::mouseMove(window, at);
            QTRY_COMPARE(look(), lit);
        }
        QTest::mouseMove(window, away);
        QTRY_COMPARE(look(), plain);
    }

    QQuickItem* item(const QString& name) const { return ui_->item(name); }

    QTemporaryDir userFiles_;
    std::unique_ptr<WindowHarness> ui_;
};

QTEST_MAIN(LensDrawingTest)
#include "tst_lens_drawing.moc"
