// The window against lenses no built-in profile describes: each a built-in profile with a
// few fields changed.
#include "SceneRects.h"
#include "VirtualLens.h"
#include "WindowHarness.h"

#include "controller/AppViewModel.h"
#include "controller/MenuId.h"
#include "model/BasicInfoViewModel.h"
#include "model/ButtonItemModel.h"
#include "ui/PopupViewModel.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QQuickItem>
#include <QQuickWindow>
#include <QRegularExpression>
#include <QtTest>

#include <memory>

using namespace kelvara;

namespace {

constexpr int AT_BT_FUNC = 80;
constexpr int AF_LIMIT_FUNCTIONS[] = {4, 3, 6, 7};

// Where the settings image keeps AF limit row `row`.
int afLimitAddress(int row) { return row < 3 ? 0x10 + row : 0xDD + row; }

QJsonArray numbers(const QList<int>& values) {
    QJsonArray a;
    for (int v : values)
        a.append(v);
    return a;
}

// The program's icon drawn inside `from`, or an empty name.
QString iconIn(const QQuickItem* from) {
    for (const QQuickItem* child : from->childItems()) {
        const QString name = child->property("name").toString();
        if (name.startsWith(QStringLiteral("icon_")) && child->isVisible())
            return name;
        const QString deeper = iconIn(child);
        if (!deeper.isEmpty())
            return deeper;
    }
    return {};
}

} // namespace

class LensVariantsTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QVERIFY(userFiles_.isValid());
        WindowHarness::isolateUserFiles(userFiles_.path());
    }

    void init() {
        // A warning from the pages is a defect of the pages.
        QTest::failOnWarning(QRegularExpression(QStringLiteral("qrc:/")));
    }

    void cleanup() {
        if (!ui_)
            return;
        if (vm().popup()->show_popup()) {
            vm().popup()->setShow_popup(false);
            // A failed row may leave the popup's changes on the lens: start afresh.
            openLens_.clear();
        }
        QTRY_VERIFY(!vm().lock());
    }

    void twoPositionSwitch_data() { WindowHarness::addLanguageRows(); }

    // A switch of two positions: two switch rows with the two-position drawings, and the
    // home summary and the drawing speak of two positions only.
    void twoPositionSwitch() {
        QFETCH(QLocale::Language, language);
        QVERIFY(open({{QStringLiteral("switchPositions"), 2}, {QStringLiteral("switchSupport"), 3}},
                     language));
        QCOMPARE(int(info().customSwitchStateCount()), 2);
        QTRY_COMPARE(ui_->pageName(), QStringLiteral("homePage"));
        QCOMPARE(ui_->shownAmong({QStringLiteral("summarySwitch"), QStringLiteral("summaryButton"),
                                  QStringLiteral("switchMarker")}),
                 (QStringList{QStringLiteral("summarySwitch"), QStringLiteral("switchMarker")}));
        // The home page's lines carry the details; the settings page's values the function.
        const auto controlLines = [this](bool details) {
            return QList<QStringList>{{qtTrId("Common_Custom1"), vm().buttonSummaryText(1, details)},
                                      {qtTrId("Common_Custom2"), vm().buttonSummaryText(2, details)},
                                      {qtTrId("Home_LabelFocusSetButton"), vm().buttonSummaryText(0, details)}};
        };
        const QList<QStringList> controls = controlLines(false);
        QCOMPARE(lines(QStringLiteral("summarySwitch")), controlLines(true));
        ui_->picture(QStringLiteral("variant_switch2_home"));

        ui_->showPage(CSW_CBT_SETTING, "customSettingPage");
        const QStringList rows{QStringLiteral("rowCustom1"), QStringLiteral("rowCustom2"),
                               QStringLiteral("rowButton")};
        QCOMPARE(ui_->shownNames(QStringLiteral("row")), (QStringList{rows[2], rows[0], rows[1]}));
        QList<QStringList> cards;
        for (const QString& row : rows)
            cards << QStringList{iconIn(item(row)), ui_->property(row, "label").toString(),
                                 ui_->property(row, "value").toString()};
        QCOMPARE(cards, (QList<QStringList>{
                            QStringList{QStringLiteral("icon_switch_2type_up")} + controls[0],
                            QStringList{QStringLiteral("icon_switch_2type_low")} + controls[1],
                            QStringList{QStringLiteral("icon_custom_button")} + controls[2]}));
        ui_->picture(QStringLiteral("variant_switch2_page"));

        // The second position's button edits the second position.
        QVERIFY(openFunctionPopup(2));
        QCOMPARE(ui_->text(QStringLiteral("popupTitle")), qtTrId("Common_Custom2"));
        ui_->closePopupWith(QStringLiteral("popupCancel"));
    }

    void ringHighlightFollowsTheRingsPlace_data() {
        QTest::addColumn<int>("lensType");
        QTest::addColumn<int>("switchPositions");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QRectF>("ring");
        // The ring in the drawing's 400 x 200 space: the zoom pictures carry a ring at the
        // front and one at the back; a prime has only one.
        const QRectF front(202, 3, 48, 194);
        const QRectF back(78, 1, 48, 198);
        const QRectF prime(125, 1, 48, 198);
        QTest::newRow("front ring") << 0 << 3 << "image_lens_zoom_sw_btn" << front;
        QTest::newRow("back ring") << 4 << 3 << "image_lens_zoom_sw_btn" << back;
        QTest::newRow("back ring, button only") << 4 << 0 << "image_lens_zoom_btn" << back;
        QTest::newRow("prime with the back-ring bit") << 6 << 3 << "image_lens_single_sw_btn" << prime;
    }

    // The focus ring's highlight sits where the lens has its ring, at every window size, and
    // leads to the ring's page.
    void ringHighlightFollowsTheRingsPlace() {
        QFETCH(int, lensType);
        QFETCH(int, switchPositions);
        QFETCH(QString, picture);
        QFETCH(QRectF, ring);
        QJsonObject changes{{QStringLiteral("lensType"), lensType},
                            {QStringLiteral("switchPositions"), switchPositions}};
        if (switchPositions == 0)
            changes.insert(QStringLiteral("settingSupport"), numbers({0, 2, 3, 4, 5, 7, 10}));
        QVERIFY(open(changes));
        QTRY_COMPARE(ui_->pageName(), QStringLiteral("homePage"));
        QVERIFY(ui_->property(QStringLiteral("lensPicture"), "source").toUrl().toString().endsWith(
            picture + QStringLiteral(".svg")));
        QCOMPARE(shown(QStringLiteral("switchMarker")), switchPositions > 0);

        for (const QSize& size : {QSize(1024, 720), QSize(800, 600)}) {
            ui_->window()->resize(size);
            QTRY_COMPARE(ui_->window()->contentItem()->size(), QSizeF(size));
            ui_->waitForFrame();
            QVERIFY(shown(QStringLiteral("ringHighlight")));
            const QRectF highlight = sceneRect(item(QStringLiteral("ringHighlight")));
            const QRectF expected = drawingToScene(item(QStringLiteral("lensDrawing")), ring);
            QVERIFY2(near(highlight, expected),
                     qPrintable(describe(highlight) + QStringLiteral(" != ") + describe(expected)));
        }
        ui_->picture(QStringLiteral("variant_ring_type%1_sw%2_home").arg(lensType).arg(switchPositions));
        ui_->press(QStringLiteral("ringHighlight"));
        QTRY_COMPARE(vm().selected_menu(), int(RING_SETTING));
    }

    // A button and no switch: the button has its own page, which its mark in the drawing
    // opens, and nothing speaks of a switch.
    void buttonWithoutSwitch() {
        QVERIFY(open({{QStringLiteral("switchPositions"), 0},
                      {QStringLiteral("switchSupport"), 0},
                      {QStringLiteral("settingSupport"), numbers({0, 2, 3, 4, 5, 7, 10})}}));
        QTRY_COMPARE(ui_->pageName(), QStringLiteral("homePage"));
        QCOMPARE(ui_->shownAmong({QStringLiteral("summaryButton"), QStringLiteral("summarySwitch"),
                                  QStringLiteral("buttonMarker"), QStringLiteral("switchMarker"),
                                  QStringLiteral("switchLabel")}),
                 (QStringList{QStringLiteral("summaryButton"), QStringLiteral("buttonMarker")}));
        QCOMPARE(lines(QStringLiteral("summaryButton")),
                 (QList<QStringList>{{qtTrId("Home_LabelFocusSetButton"), vm().buttonSummaryText(0, true)}}));
        ui_->picture(QStringLiteral("variant_buttonOnly_home"));

        ui_->press(QStringLiteral("buttonMarker"));
        QTRY_COMPARE(ui_->pageName(), QStringLiteral("customSettingPage"));
        ui_->waitForFrame();
        // The menu marks the button page as the one shown.
        QCOMPARE(ui_->property(QStringLiteral("menu_Menu_ButtonSetting_icon"), "name").toString(),
                 QStringLiteral("icon_menu_button_selected"));
        ui_->picture(QStringLiteral("variant_buttonOnly_page"));
    }

    void lensWithoutCustomisingOpensOnFirmware_data() {
        QTest::addColumn<QList<int>>("settingBits");
        QTest::addColumn<bool>("afCustomize");
        QTest::addColumn<QString>("picture");
        QTest::newRow("nothing") << QList<int>{} << false << "variant_nothing";
        QTest::newRow("nothing, AF adjustment preference on") << QList<int>{} << true << "variant_nothingPref";
        QTest::newRow("AF adjustment bit, preference off") << QList<int>{7} << false << "variant_afBitOnly";
        QTest::newRow("AF adjustment bit, preference on") << QList<int>{7} << true << "variant_afOnly";
    }

    // Without anything to customise the lens opens on its firmware page and the menu has
    // neither the home page nor the function descriptions; the AF adjustment alone, when
    // offered, is something to customise.
    void lensWithoutCustomisingOpensOnFirmware() {
        QFETCH(QList<int>, settingBits);
        QFETCH(bool, afCustomize);
        QFETCH(QString, picture);
        QVERIFY(open({{QStringLiteral("settingSupport"), numbers(settingBits)},
                      {QStringLiteral("buttons"), 0},
                      {QStringLiteral("switchPositions"), 0},
                      {QStringLiteral("switchSupport"), 0}},
                     QLocale::English, afCustomize));
        const bool adjustment = settingBits.contains(7) && afCustomize;
        QTRY_COMPARE(ui_->pageName(),
                     adjustment ? QStringLiteral("homePage") : QStringLiteral("firmwarePage"));
        QCOMPARE(vm().selected_menu(), int(adjustment ? HOME : FIRMWARE_INFO));
        QStringList menu{QStringLiteral("Backups"), QStringLiteral("FirmwareInfo"),
                         QStringLiteral("VersionInfo")};
        if (adjustment)
            menu << QStringLiteral("Adjustment") << QStringLiteral("FunctionDescription") << QStringLiteral("Home");
        menu.sort();
        QCOMPARE(ui_->menu(), menu);
        ui_->waitForFrame();

        if (adjustment) {
            QCOMPARE(ui_->shownAmong({QStringLiteral("summarySwitch"), QStringLiteral("summaryButton"),
                                      QStringLiteral("summaryRing"), QStringLiteral("summaryAdjust"),
                                      QStringLiteral("switchMarker"), QStringLiteral("buttonMarker")}),
                     QStringList{QStringLiteral("summaryAdjust")});
            QVERIFY(ui_->property(QStringLiteral("lensPicture"), "source").toUrl().toString().endsWith(
                QStringLiteral("image_lens_zoom_nothing.svg")));
            ui_->picture(picture + QStringLiteral("_home"));
        } else {
            QVERIFY(shown(QStringLiteral("firmwareCurrent")));
            QVERIFY(shown(QStringLiteral("firmwareUpdateStart")));
            QCOMPARE(ui_->property(QStringLiteral("menu_Menu_FirmwareInfo_icon"), "name").toString(),
                     QStringLiteral("icon_menu_version_selected"));
            ui_->picture(picture + QStringLiteral("_firmware"));
        }
    }

    void afLimitFarEndIsChosen_data() {
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("row");
        // The control's AF limit row: the button uses row 0, switch position n row n + 2.
        QTest::newRow("button, row 0") << 0 << 0;
        QTest::newRow("position 1, row 3") << 1 << 3;
        QTest::newRow("position 2, row 4") << 2 << 4;
        QTest::newRow("position 3, row 5") << 3 << 5;
    }

    // With a far end that is not fixed at infinity, the far end offers every position after
    // the nearest; a pick goes to the lens at once with near kept in front of far, Back
    // writes the row back and OK keeps it.
    void afLimitFarEndIsChosen() {
        QFETCH(int, slot);
        QFETCH(int, row);
        const QJsonArray table{0, 3, 5, 10, 30, 255};
        // Each control holds another AF limit variant; in some rows the near end sits just
        // before the far end, so that moving the far end in pushes the near end along.
        const QJsonArray rows{QJsonArray{2, 4}, QJsonArray{0, 5}, QJsonArray{0, 5},
                              QJsonArray{1, 5}, QJsonArray{3, 4}, QJsonArray{2, 3}};
        QVERIFY(open({{QStringLiteral("afLimitFlags"), 0},
                      {QStringLiteral("afLimitTable"), table},
                      {QStringLiteral("settings"),
                       QJsonObject{{QStringLiteral("buttonFunctions"), numbers({4, 3, 6, 7})},
                                   {QStringLiteral("afLimit"), rows}}}}));
        // The table's positions by name: the nearest, 0.3 m to 3 m, and infinity.
        const QStringList names{qtTrId("CustomSetting_AfMod"), QStringLiteral("0.3m"), QStringLiteral("0.5m"),
                                QStringLiteral("1m"), QStringLiteral("3m"), qtTrId("CustomSetting_AfInf")};
        const int function = AF_LIMIT_FUNCTIONS[slot];
        const int storedNear = rows.at(row).toArray().at(0).toInt();
        const int storedFar = rows.at(row).toArray().at(1).toInt();
        const QByteArray before = image();
        QCOMPARE(quint8(before.at(afLimitAddress(row))), quint8(storedNear | storedFar << 4));

        QVERIFY(openFunctionPopup(slot));
        QCOMPARE(vm().popup()->aflim_id(), row);
        QVERIFY(ui_->property(QStringLiteral("function_%1").arg(function), "selected").toBool());
        ui_->nextPopupPage();
        QTRY_VERIFY(shown(QStringLiteral("afFar")));
        // Near: every position but the farthest; far: every position but the nearest, and no
        // infinity mark in place of a choice.
        QVERIFY(!shown(QStringLiteral("afFarFixed")));
        QCOMPARE(choices(QStringLiteral("afNear")), names.mid(0, names.size() - 1));
        QCOMPARE(choices(QStringLiteral("afFar")), names.mid(1));
        QCOMPARE(ends(), (QList<int>{storedNear, storedFar - 1}));
        ui_->picture(QStringLiteral("variant_afFar_popup_row%1").arg(row));

        // Each step nearer goes to the lens at once, and nothing else of the lens changes; a
        // far end at or before the near end pulls the near end in front of it.
        int nearEnd = storedNear;
        for (int farEnd = storedFar - 1; farEnd >= 1; --farEnd) {
            ui_->key(QStringLiteral("afFar"), Qt::Key_Up);
            nearEnd = qMin(nearEnd, farEnd - 1);
            QCOMPARE(ends(), (QList<int>{nearEnd, farEnd - 1}));
            QByteArray expected = before;
            expected[afLimitAddress(row)] = char(nearEnd | farEnd << 4);
            QCOMPARE(image(), expected);
        }
        ui_->backPopupPage();
        QCOMPARE(image(), before);
        ui_->closePopupWith(QStringLiteral("popupCancel"));
        QCOMPARE(image(), before);

        // OK keeps a picked far end, and the page names it instead of infinity.
        QVERIFY(openFunctionPopup(slot));
        ui_->nextPopupPage();
        QTRY_VERIFY(shown(QStringLiteral("afFar")));
        ui_->key(QStringLiteral("afFar"), Qt::Key_Up);
        const int kept = storedFar - 1;
        const int keptNear = qMin(storedNear, kept - 1);
        ui_->closePopupWith(QStringLiteral("popupOk"));
        QCOMPARE(byteAt(afLimitAddress(row)), quint8(keptNear | kept << 4));
        QCOMPARE(vm().afLimitText(row, 0) + QLatin1Char('-') + vm().afLimitText(row, 1),
                 names[keptNear] + QLatin1Char('-') + names[kept]);
        const QString detail = ui_->property(slot == 0 ? QStringLiteral("rowButton")
                                                       : QStringLiteral("rowCustom%1").arg(slot),
                                             "detail").toString();
        QVERIFY2(detail.contains(names[keptNear]) && detail.contains(names[kept]), qPrintable(detail));
        QVERIFY2(!detail.contains(qtTrId("CustomSetting_AfInf")), qPrintable(detail));
    }

    void afLimitOperationsFollowTheLens_data() {
        QTest::addColumn<QList<int>>("variants");
        QTest::newRow("click and long press") << QList<int>{3, 4};
        QTest::newRow("while pressed or released") << QList<int>{6, 7};
        QTest::newRow("long press, while pressed or released") << QList<int>{3, 6, 7};
        QTest::newRow("click only") << QList<int>{4};
        // Each of the two "while" modes is offered on its own, without the other.
        QTest::newRow("click, long press, while pressed") << QList<int>{3, 4, 6};
        QTest::newRow("click, while released") << QList<int>{4, 7};
        QTest::newRow("all four") << QList<int>{3, 4, 6, 7};
    }

    // The operation choices of an AF limit control are exactly the variants the lens
    // supports, in the order of the family; each choice goes to the lens and Back writes the
    // old one back.
    void afLimitOperationsFollowTheLens() {
        QFETCH(QList<int>, variants);
        QStringList family, offered;
        for (int f : AF_LIMIT_FUNCTIONS) {
            family << QStringLiteral("operation_%1").arg(f);
            if (variants.contains(f))
                offered << family.last();
        }
        // The control holds the family's first supported member.
        const int held = offered.first().mid(10).toInt();
        QVERIFY(open({{QStringLiteral("buttonFunctions"), numbers(QList<int>{0, 1, 2, 5, 8, 9} + variants)},
                      {QStringLiteral("settings"),
                       QJsonObject{{QStringLiteral("buttonFunctions"), numbers({5, 2, held, 9})}}}}));
        QCOMPARE(int(byteAt(AT_BT_FUNC + 2)), held);

        QVERIFY(openFunctionPopup(2));
        // The family is one entry of the list, under the function the control holds.
        QStringList entries;
        for (int f : AF_LIMIT_FUNCTIONS)
            entries << QStringLiteral("function_%1").arg(f);
        QCOMPARE(ui_->shownAmong(entries), QStringList{QStringLiteral("function_%1").arg(held)});
        QCOMPARE(ui_->text(QStringLiteral("function_%1").arg(held)), vm().button_item()->functionLabel(held));
        const QByteArray before = image();
        ui_->nextPopupPage();
        QTRY_VERIFY(shown(QStringLiteral("afNear")));
        // A single variant leaves nothing to choose.
        if (variants.size() == 1)
            offered.clear();
        QCOMPARE(ui_->shownAmong(family), offered);
        QStringList variantNames;
        for (int f : variants)
            variantNames << QString::number(f);
        ui_->picture(QStringLiteral("variant_afOps_%1_popup").arg(variantNames.join(QString())));

        // Each choice names its way of working and goes to the lens at once.
        const QStringList labels{qtTrId("ButtonSelect_LabelAFLimitClick"),
                                 qtTrId("ButtonSelect_LabelAFLimitLongClick"),
                                 qtTrId("ButtonSelect_LabelWhilePress"),
                                 qtTrId("ButtonSelect_LabelWhileRelease")};
        for (const QString& name : std::as_const(offered)) {
            const int f = name.mid(10).toInt();
            QCOMPARE(ui_->text(name), labels[family.indexOf(name)]);
            QCOMPARE(ui_->property(name, "selected").toBool(), f == int(byteAt(AT_BT_FUNC + 2)));
            ui_->pressAndSettle(name);
            QCOMPARE(int(byteAt(AT_BT_FUNC + 2)), f);
            QTRY_VERIFY(ui_->property(name, "selected").toBool());
        }
        ui_->backPopupPage();
        QCOMPARE(image(), before);
        ui_->closePopupWith(QStringLiteral("popupCancel"));
        QCOMPARE(image(), before);
    }

  private:
    // A window on the preset with `changes`, connected for customising, at the smallest
    // window size. The same lens is kept for the next call when nothing differs.
    bool open(const QJsonObject& changes, QLocale::Language language = QLocale::English,
              bool afCustomize = true, const QString& preset = QStringLiteral("zoom-e")) {
        const QString key = preset + QJsonDocument(changes).toJson(QJsonDocument::Compact) +
                            QString::number(int(language)) + QString::number(afCustomize);
        if (ui_ && key == openLens_) {
            vm().setSelected_menu(HOME);
            return true;
        }
        openLens_.clear();
        const QString path = WindowHarness::writeProfile(userFiles_.path(), preset, changes);
        if (path.isEmpty() ||
            !WindowHarness::restart(&ui_, {.preset = path, .language = language, .afCustomize = afCustomize}, true) ||
            !ui_->toSmallest())
            return false;
        openLens_ = key;
        return true;
    }

    QQuickItem* item(const QString& name) const { return ui_->item(name); }
    bool shown(const QString& name) const { return ui_->shown(name); }
    AppViewModel& vm() const { return ui_->vm(); }
    const BasicInfoViewModel& info() const { return *vm().basic_info(); }
    QByteArray image() const { return ui_->lens().settingsImage(); }
    quint8 byteAt(int address) const { return quint8(image().at(address)); }

    // Opens the function popup of a custom control through its change button; false, with
    // a failed test, when it does not open.
    bool openFunctionPopup(int slot) {
        const bool switchPage = info().isSettingSupported(1);
        ui_->showPage(switchPage ? CSW_CBT_SETTING : CBT_SETTING, "customSettingPage");
        ui_->press(slot == 0 ? QStringLiteral("changeButton")
                             : QStringLiteral("changeCustom%1").arg(slot));
        if (!QTest::currentTestFailed())
            [&] {
                QTRY_VERIFY(shown(QStringLiteral("popupFrame")));
                QCOMPARE(vm().popup()->sw_id(), slot);
                ui_->waitForFrame();
            }();
        return !QTest::currentTestFailed();
    }

    // The label and value of each line of a home summary block.
    QList<QStringList> lines(const QString& block) const {
        QList<QStringList> all;
        for (const QVariant& line : ui_->property(block, "lines").toList())
            all << line.toStringList();
        return all;
    }
    // The texts a combo box offers.
    QStringList choices(const QString& name) const {
        QStringList texts;
        QQuickItem* box = item(name);
        for (int i = 0; box && i < box->property("count").toInt(); ++i) {
            QString text;
            QMetaObject::invokeMethod(box, "textAt", Q_RETURN_ARG(QString, text), Q_ARG(int, i));
            texts << text;
        }
        return texts;
    }

    // The current indexes of the AF limit's near and far boxes.
    QList<int> ends() const {
        return {ui_->property(QStringLiteral("afNear"), "currentIndex").toInt(),
                ui_->property(QStringLiteral("afFar"), "currentIndex").toInt()};
    }

    QTemporaryDir userFiles_;
    std::unique_ptr<WindowHarness> ui_;
    QString openLens_;
};

QTEST_MAIN(LensVariantsTest)
#include "tst_lens_variants.moc"
