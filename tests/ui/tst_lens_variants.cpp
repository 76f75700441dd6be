// The window against lenses that no built-in profile describes: a two-position switch,
// the focus ring at the back, a button without a switch, nothing to customise, an AF
// limit whose far end can be chosen and lenses with only some AF limit variants. Each
// lens is a built-in profile with a few fields changed; pictures of each for review.
#include "SceneRects.h"
#include "VirtualLens.h"
#include "WindowHarness.h"

#include "controller/AppViewModel.h"
#include "controller/MenuId.h"
#include "model/BasicInfoViewModel.h"
#include "model/ButtonItemModel.h"
#include "model/LensSettingViewModel.h"
#include "ui/HomeImageViewModel.h"
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

// The name the window gives a position of the lens's AF limit table.
QString positionName(int index, int value) {
    if (value == 0xFF)
        return qtTrId("CustomSetting_AfInf");
    if (value == 0)
        return index == 0 ? qtTrId("CustomSetting_AfMod") : QString();
    return value < 10 ? QStringLiteral("0.%1m").arg(value) : QStringLiteral("%1m").arg(value / 10);
}

// The positions of a profile's AF limit table: up to the first zero after the first.
QStringList positionNames(const QJsonArray& table) {
    QStringList names;
    for (int i = 0; i < table.size() && i < 16; ++i) {
        const int v = table.at(i).toInt();
        if (i > 0 && v == 0)
            break;
        names << positionName(i, v);
    }
    return names;
}

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
    void initTestCase();
    void init();
    void cleanup();

    void twoPositionSwitch_data();
    void twoPositionSwitch();
    void ringHighlightFollowsTheRingsPlace_data();
    void ringHighlightFollowsTheRingsPlace();
    void buttonWithoutSwitch();
    void lensWithoutCustomisingOpensOnFirmware_data();
    void lensWithoutCustomisingOpensOnFirmware();
    void afLimitFarEndIsChosen_data();
    void afLimitFarEndIsChosen();
    void afLimitOperationsFollowTheLens_data();
    void afLimitOperationsFollowTheLens();

  private:
    // A window on the preset with `changes`, connected for customising, at the smallest
    // window size. The same lens is kept for the next call when nothing differs.
    bool open(const QJsonObject& changes, QLocale::Language language = QLocale::English,
              bool afCustomize = true, const QString& preset = QStringLiteral("zoom-e"));
    QQuickItem* item(const QString& name) const { return ui_->item(name); }
    bool shown(const QString& name) const { return ui_->shown(name); }
    AppViewModel& vm() const { return ui_->vm(); }
    const BasicInfoViewModel& info() const { return *vm().basic_info(); }
    LensSettingViewModel& settings() const { return *vm().lens_setting(); }
    QByteArray image() const { return ui_->lens().settingsImage(); }
    quint8 byteAt(int address) const { return quint8(image().at(address)); }

    // Opens the function popup of a custom control through its change button.
    void openFunctionPopup(int slot);
    // The drawing's 400 x 200 space mapped to the window.
    QRectF drawingToScene(const QRectF& r) const;

    QTemporaryDir userFiles_;
    std::unique_ptr<WindowHarness> ui_;
    QString openLens_;
};

void LensVariantsTest::initTestCase() {
    QVERIFY(userFiles_.isValid());
    WindowHarness::isolateUserFiles(userFiles_.path());
}

void LensVariantsTest::init() {
    // A warning from the pages is a defect of the pages.
    QTest::failOnWarning(QRegularExpression(QStringLiteral("qrc:/")));
}

void LensVariantsTest::cleanup() {
    if (!ui_)
        return;
    if (vm().popup()->show_popup()) {
        vm().popup()->setShow_popup(false);
        // A failed row may leave the popup's changes on the lens: start afresh.
        openLens_.clear();
    }
    QTRY_VERIFY(!vm().lock());
}

bool LensVariantsTest::open(const QJsonObject& changes, QLocale::Language language,
                            bool afCustomize, const QString& preset) {
    const QString key = preset + QJsonDocument(changes).toJson(QJsonDocument::Compact) +
                        QString::number(int(language)) + QString::number(afCustomize);
    if (ui_ && key == openLens_) {
        vm().setSelected_menu(HOME);
        return true;
    }
    ui_.reset();
    openLens_.clear();
    const QString path = WindowHarness::writeProfile(userFiles_.path(), preset, changes);
    if (path.isEmpty())
        return false;
    ui_ = std::make_unique<WindowHarness>();
    if (!ui_->startConnected({.preset = path, .language = language, .afCustomize = afCustomize}) ||
        !ui_->toSmallest())
        return false;
    openLens_ = key;
    return true;
}

void LensVariantsTest::openFunctionPopup(int slot) {
    const bool switchPage = info().isSettingSupported(1);
    ui_->showPage(switchPage ? CSW_CBT_SETTING : CBT_SETTING, "customSettingPage");
    ui_->press(slot == 0 ? QStringLiteral("changeButton")
                         : QStringLiteral("changeCustom%1").arg(slot));
    if (QTest::currentTestFailed())
        return;
    QTRY_VERIFY(shown(QStringLiteral("popupFrame")));
    QCOMPARE(vm().popup()->sw_id(), slot);
    ui_->waitForFrame();
}

QRectF LensVariantsTest::drawingToScene(const QRectF& r) const {
    const QQuickItem* drawing = item(QStringLiteral("lensDrawing"));
    const qreal w = drawing->width();
    const qreal h = drawing->height();
    const qreal k = qMin(w / 400, h / 200);
    const QPointF origin = drawing->mapToScene(QPointF((w - 400 * k) / 2, (h - 200 * k) / 2));
    return QRectF(origin + r.topLeft() * k, r.size() * k);
}

void LensVariantsTest::twoPositionSwitch_data() {
    QTest::addColumn<QLocale::Language>("language");
    QTest::newRow("en") << QLocale::English;
    QTest::newRow("ja") << QLocale::Japanese;
}

// A switch of two positions: two switch rows with the two-position drawings, and the
// home summary and the drawing speak of two positions only.
void LensVariantsTest::twoPositionSwitch() {
    QFETCH(QLocale::Language, language);
    QVERIFY(open({{QStringLiteral("switchPositions"), 2}, {QStringLiteral("switchSupport"), 3}},
                 language));
    QCOMPARE(int(info().customSwitchStateCount()), 2);
    QVERIFY(info().isSettingSupported(1));
    QVERIFY(info().customButtonCount() > 0);

    QTRY_COMPARE(ui_->pageName(), QStringLiteral("homePage"));
    QVERIFY(shown(QStringLiteral("summarySwitch")));
    QVERIFY(!shown(QStringLiteral("summaryButton")));
    QVERIFY(shown(QStringLiteral("switchMarker")));
    const QVariantList lines = item(QStringLiteral("summarySwitch"))->property("lines").toList();
    const QStringList labels{qtTrId("Common_Custom1"), qtTrId("Common_Custom2"),
                             qtTrId("Home_LabelFocusSetButton")};
    const QList<int> controls{1, 2, 0};
    QCOMPARE(lines.size(), labels.size());
    for (int i = 0; i < lines.size(); ++i) {
        const QStringList line = lines.at(i).toStringList();
        QCOMPARE(line.value(0), labels[i]);
        QCOMPARE(line.value(1), vm().buttonSummaryText(controls[i], false));
    }
    ui_->picture(QStringLiteral("variant_switch2_home"));

    ui_->showPage(CSW_CBT_SETTING, "customSettingPage");
    QCOMPARE(ui_->shownNames(QStringLiteral("row")),
             (QStringList{QStringLiteral("rowButton"), QStringLiteral("rowCustom1"),
                          QStringLiteral("rowCustom2")}));
    const struct {
        const char* row;
        const char* icon;
        const char* label;
        int slot;
    } rows[] = {{"rowCustom1", "icon_switch_2type_up", "Common_Custom1", 1},
                {"rowCustom2", "icon_switch_2type_low", "Common_Custom2", 2},
                {"rowButton", "icon_custom_button", "Home_LabelFocusSetButton", 0}};
    for (const auto& row : rows) {
        QQuickItem* card = item(QLatin1String(row.row));
        QCOMPARE(card->property("iconName").toString(), QLatin1String(row.icon));
        QCOMPARE(iconIn(card), QLatin1String(row.icon));
        QCOMPARE(card->property("label").toString(), qtTrId(row.label));
        QCOMPARE(card->property("value").toString(), vm().buttonSummaryText(row.slot, false));
    }
    ui_->picture(QStringLiteral("variant_switch2_page"));

    // The second position's button edits the second position.
    openFunctionPopup(2);
    QVERIFY(!QTest::currentTestFailed());
    QCOMPARE(item(QStringLiteral("popupTitle"))->property("text").toString(),
             qtTrId("Common_Custom2"));
    ui_->closePopupWith(QStringLiteral("popupCancel"));
}

void LensVariantsTest::ringHighlightFollowsTheRingsPlace_data() {
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

// The focus ring's highlight sits where the lens has its ring, at every window size.
void LensVariantsTest::ringHighlightFollowsTheRingsPlace() {
    QFETCH(int, lensType);
    QFETCH(int, switchPositions);
    QFETCH(QString, picture);
    QFETCH(QRectF, ring);
    QJsonObject changes{{QStringLiteral("lensType"), lensType},
                        {QStringLiteral("switchPositions"), switchPositions}};
    if (switchPositions == 0)
        changes.insert(QStringLiteral("settingSupport"), numbers({0, 2, 3, 4, 5, 7, 10}));
    QVERIFY(open(changes));
    QCOMPARE(int(info().lensType()), lensType);
    QTRY_COMPARE(ui_->pageName(), QStringLiteral("homePage"));
    QCOMPARE(ui_->vm().home_image()->lensImage().toString(), picture);
    QVERIFY(item(QStringLiteral("lensPicture"))
                ->property("source").toUrl().toString().endsWith(picture + QStringLiteral(".svg")));
    QCOMPARE(shown(QStringLiteral("switchMarker")), switchPositions > 0);

    for (const QSize& size : {QSize(1024, 720), QSize(800, 600)}) {
        ui_->window()->resize(size);
        QTRY_COMPARE(ui_->window()->contentItem()->size(), QSizeF(size));
        ui_->waitForFrame();
        QVERIFY(shown(QStringLiteral("ringHighlight")));
        const QRectF highlight = sceneRect(item(QStringLiteral("ringHighlight")));
        const QRectF expected = drawingToScene(ring);
        QVERIFY2(near(highlight, expected),
                 qPrintable(describe(highlight) + QStringLiteral(" != ") + describe(expected)));
    }
    ui_->picture(QStringLiteral("variant_ring_type%1_sw%2_home").arg(lensType).arg(switchPositions));

    // The highlight leads to the ring's page.
    ui_->press(QStringLiteral("ringHighlight"));
    QTRY_COMPARE(vm().selected_menu(), int(RING_SETTING));
}

// A button and no switch: the button has its own page, which its mark in the drawing
// opens, and nothing speaks of a switch.
void LensVariantsTest::buttonWithoutSwitch() {
    QVERIFY(open({{QStringLiteral("switchPositions"), 0},
                  {QStringLiteral("switchSupport"), 0},
                  {QStringLiteral("settingSupport"), numbers({0, 2, 3, 4, 5, 7, 10})}}));
    QVERIFY(!info().isSettingSupported(1));
    QVERIFY(info().isSettingSupported(0));
    QCOMPARE(int(info().customSwitchStateCount()), 0);
    QVERIFY(info().customButtonCount() > 0);

    QTRY_COMPARE(ui_->pageName(), QStringLiteral("homePage"));
    QVERIFY(shown(QStringLiteral("menu_Menu_ButtonSetting")));
    QVERIFY(!shown(QStringLiteral("menu_Menu_SwitchSetting")));
    QVERIFY(shown(QStringLiteral("summaryButton")));
    QVERIFY(!shown(QStringLiteral("summarySwitch")));
    const QVariantList lines = item(QStringLiteral("summaryButton"))->property("lines").toList();
    QCOMPARE(lines.size(), 1);
    QCOMPARE(lines.at(0).toStringList(),
             (QStringList{qtTrId("Home_LabelFocusSetButton"), vm().buttonSummaryText(0, false)}));
    QVERIFY(shown(QStringLiteral("buttonMarker")));
    QVERIFY(!shown(QStringLiteral("switchMarker")));
    QVERIFY(!shown(QStringLiteral("switchLabel")));
    ui_->picture(QStringLiteral("variant_buttonOnly_home"));

    ui_->press(QStringLiteral("buttonMarker"));
    QTRY_COMPARE(vm().selected_menu(), int(CBT_SETTING));
    QTRY_COMPARE(ui_->pageName(), QStringLiteral("customSettingPage"));
    ui_->waitForFrame();
    QCOMPARE(item(QStringLiteral("pageTitle"))->property("text").toString(),
             qtTrId("Menu_ButtonSetting"));
    QCOMPARE(ui_->shownNames(QStringLiteral("row")), QStringList{QStringLiteral("rowButton")});
    QVERIFY(!shown(QStringLiteral("customSwitchExplanation")));
    // The menu marks the button page as the one shown.
    QCOMPARE(item(QStringLiteral("menu_Menu_ButtonSetting_icon"))->property("name").toString(),
             QStringLiteral("icon_menu_button_selected"));
    ui_->picture(QStringLiteral("variant_buttonOnly_page"));
}

void LensVariantsTest::lensWithoutCustomisingOpensOnFirmware_data() {
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
void LensVariantsTest::lensWithoutCustomisingOpensOnFirmware() {
    QFETCH(QList<int>, settingBits);
    QFETCH(bool, afCustomize);
    QFETCH(QString, picture);
    QVERIFY(open({{QStringLiteral("settingSupport"), numbers(settingBits)},
                  {QStringLiteral("buttons"), 0},
                  {QStringLiteral("switchPositions"), 0},
                  {QStringLiteral("switchSupport"), 0}},
                 QLocale::English, afCustomize));
    QCOMPARE(int(info().customButtonCount()), 0);
    QCOMPARE(int(info().customSwitchStateCount()), 0);
    for (int bit : {0, 1, 2, 3, 4, 5, 7})
        QCOMPARE(info().isSettingSupported(bit), settingBits.contains(bit));
    const bool adjustment = settingBits.contains(7) && afCustomize;
    QCOMPARE(info().isAFCustomizeVisible(), adjustment);

    QTRY_COMPARE(ui_->pageName(),
                 adjustment ? QStringLiteral("homePage") : QStringLiteral("firmwarePage"));
    QCOMPARE(vm().selected_menu(), int(adjustment ? HOME : FIRMWARE_INFO));
    QCOMPARE(shown(QStringLiteral("menu_Menu_Home")), adjustment);
    QCOMPARE(shown(QStringLiteral("menu_Menu_FunctionDescription")), adjustment);
    QCOMPARE(shown(QStringLiteral("menu_Menu_Adjustment")), adjustment);
    for (const char* entry : {"menu_Menu_SwitchSetting", "menu_Menu_ButtonSetting",
                              "menu_Menu_RingFocusSetting", "menu_Menu_Connect"})
        QVERIFY2(!shown(QLatin1String(entry)), entry);
    QVERIFY(shown(QStringLiteral("menu_Menu_FirmwareInfo")));
    QVERIFY(shown(QStringLiteral("menu_Menu_VersionInfo")));
    ui_->waitForFrame();

    if (adjustment) {
        for (const char* block : {"summarySwitch", "summaryButton", "summaryRing"})
            QVERIFY2(!shown(QLatin1String(block)), block);
        QVERIFY(shown(QStringLiteral("summaryAdjust")));
        QVERIFY(!shown(QStringLiteral("switchMarker")));
        QVERIFY(!shown(QStringLiteral("buttonMarker")));
        QCOMPARE(ui_->vm().home_image()->lensImage().toString(),
                 QStringLiteral("image_lens_zoom_nothing"));
        ui_->picture(picture + QStringLiteral("_home"));
    } else {
        QVERIFY(shown(QStringLiteral("firmwareCurrent")));
        QVERIFY(shown(QStringLiteral("firmwareUpdateStart")));
        QCOMPARE(item(QStringLiteral("menu_Menu_FirmwareInfo_icon"))->property("name").toString(),
                 QStringLiteral("icon_menu_version_selected"));
        ui_->picture(picture + QStringLiteral("_firmware"));
    }
}

void LensVariantsTest::afLimitFarEndIsChosen_data() {
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
void LensVariantsTest::afLimitFarEndIsChosen() {
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
    QCOMPARE(info().infLimitPositions().size(), table.size() - 1);
    const QStringList names = positionNames(table);
    QCOMPARE(names.size(), table.size());
    const int function = byteAt(AT_BT_FUNC + slot);
    QCOMPARE(function, AF_LIMIT_FUNCTIONS[slot]);

    openFunctionPopup(slot);
    QVERIFY(!QTest::currentTestFailed());
    QCOMPARE(vm().popup()->aflim_id(), row);
    QVERIFY(shown(QStringLiteral("function_%1").arg(function)));
    QVERIFY(item(QStringLiteral("function_%1").arg(function))->property("selected").toBool());
    const QByteArray before = image();
    ui_->press(QStringLiteral("popupSelect"));
    QTRY_COMPARE(vm().popup()->page_index(), 1);
    QTRY_VERIFY(shown(QStringLiteral("afFar")));
    ui_->waitForFrame();

    // Near: every position but the farthest; far: every position but the nearest, and no
    // infinity mark in place of a choice.
    QVERIFY(!shown(QStringLiteral("afFarFixed")));
    const auto choices = [this](const QString& name) {
        QStringList texts;
        QQuickItem* box = item(name);
        const int count = box->property("count").toInt();
        for (int i = 0; i < count; ++i) {
            QString text;
            QMetaObject::invokeMethod(box, "textAt", Q_RETURN_ARG(QString, text), Q_ARG(int, i));
            texts << text;
        }
        return texts;
    };
    QCOMPARE(choices(QStringLiteral("afNear")), names.mid(0, names.size() - 1));
    QCOMPARE(choices(QStringLiteral("afFar")), names.mid(1));
    const int storedNear = rows.at(row).toArray().at(0).toInt();
    const int storedFar = rows.at(row).toArray().at(1).toInt();
    QCOMPARE(quint8(before.at(afLimitAddress(row))), quint8(storedNear | storedFar << 4));
    QQuickItem* far = item(QStringLiteral("afFar"));
    QCOMPARE(far->property("currentIndex").toInt(), storedFar - 1);
    QCOMPARE(item(QStringLiteral("afNear"))->property("currentIndex").toInt(), storedNear);
    ui_->picture(QStringLiteral("variant_afFar_popup_row%1").arg(row));

    // Each step nearer goes to the lens at once; a far end at or before the near end
    // pulls the near end in front of it.
    int nearEnd = storedNear;
    for (int farEnd = storedFar - 1; farEnd >= 1; --farEnd) {
        ui_->key(QStringLiteral("afFar"), Qt::Key_Up);
        if (nearEnd >= farEnd)
            nearEnd = farEnd - 1;
        QCOMPARE(far->property("currentIndex").toInt(), farEnd - 1);
        QCOMPARE(settings().aflim_pos()[row], (QList<int>{nearEnd, farEnd}));
        QCOMPARE(byteAt(afLimitAddress(row)), quint8(nearEnd | farEnd << 4));
        QCOMPARE(item(QStringLiteral("afNear"))->property("currentIndex").toInt(), nearEnd);
        // Nothing else of the lens changed.
        QByteArray expected = before;
        expected[afLimitAddress(row)] = char(nearEnd | farEnd << 4);
        QCOMPARE(image(), expected);
    }

    // Back writes the row back, Cancel then closes.
    ui_->press(QStringLiteral("popupBack"));
    QTRY_COMPARE(vm().popup()->page_index(), 0);
    QTRY_VERIFY(!vm().lock());
    QCOMPARE(image(), before);
    QCOMPARE(settings().aflim_pos()[row], (QList<int>{storedNear, storedFar}));
    ui_->closePopupWith(QStringLiteral("popupCancel"));
    QCOMPARE(image(), before);

    // OK keeps a picked far end, and the page names it instead of infinity.
    openFunctionPopup(slot);
    QVERIFY(!QTest::currentTestFailed());
    ui_->press(QStringLiteral("popupSelect"));
    QTRY_VERIFY(shown(QStringLiteral("afFar")));
    ui_->waitForFrame();
    ui_->key(QStringLiteral("afFar"), Qt::Key_Up);
    const int kept = storedFar - 1;
    const int keptNear = qMin(storedNear, kept - 1);
    QCOMPARE(byteAt(afLimitAddress(row)), quint8(keptNear | kept << 4));
    ui_->closePopupWith(QStringLiteral("popupOk"));
    QCOMPARE(byteAt(afLimitAddress(row)), quint8(keptNear | kept << 4));
    QCOMPARE(vm().afLimitText(row, 1), names[kept]);
    QCOMPARE(vm().afLimitText(row, 0), names[keptNear]);
    const QString detail =
        item(slot == 0 ? QStringLiteral("rowButton") : QStringLiteral("rowCustom%1").arg(slot))
            ->property("detail").toString();
    QVERIFY2(detail.contains(names[keptNear]) && detail.contains(names[kept]), qPrintable(detail));
    QVERIFY2(!detail.contains(qtTrId("CustomSetting_AfInf")), qPrintable(detail));
}

void LensVariantsTest::afLimitOperationsFollowTheLens_data() {
    QTest::addColumn<QList<int>>("variants");
    QTest::newRow("click and long press") << QList<int>{3, 4};
    QTest::newRow("all four") << QList<int>{3, 4, 6, 7};
    QTest::newRow("while pressed or released") << QList<int>{6, 7};
    QTest::newRow("long press, while pressed or released") << QList<int>{3, 6, 7};
    QTest::newRow("click only") << QList<int>{4};
    // Each of the two "while" modes is offered on its own, without the other.
    QTest::newRow("click, long press, while pressed") << QList<int>{3, 4, 6};
    QTest::newRow("click, while released") << QList<int>{4, 7};
}

// The operation choices of an AF limit control are exactly the variants the lens
// supports; each choice goes to the lens and Back writes the old one back.
void LensVariantsTest::afLimitOperationsFollowTheLens() {
    QFETCH(QList<int>, variants);
    QList<int> supported{0, 1, 2, 5, 8, 9};
    supported += variants;
    // The control holds the family's first supported member in the order of its choices.
    int held = 0;
    for (int f : AF_LIMIT_FUNCTIONS)
        if (!held && variants.contains(f))
            held = f;
    QVERIFY(open({{QStringLiteral("buttonFunctions"), numbers(supported)},
                  {QStringLiteral("settings"),
                   QJsonObject{{QStringLiteral("buttonFunctions"), numbers({5, 2, held, 9})}}}}));
    for (int f : AF_LIMIT_FUNCTIONS)
        QCOMPARE(info().isButtonFunctionSupported(f), variants.contains(f));
    QCOMPARE(int(byteAt(AT_BT_FUNC + 2)), held);

    openFunctionPopup(2);
    QVERIFY(!QTest::currentTestFailed());
    // The family is one entry of the list, under the function the control holds.
    QStringList listed;
    for (int f : AF_LIMIT_FUNCTIONS)
        if (shown(QStringLiteral("function_%1").arg(f)))
            listed << QString::number(f);
    QCOMPARE(listed, QStringList{QString::number(held)});
    QCOMPARE(item(QStringLiteral("function_%1").arg(held))->property("text").toString(),
             vm().button_item()->functionLabel(held));
    const QByteArray before = image();
    ui_->press(QStringLiteral("popupSelect"));
    QTRY_COMPARE(vm().popup()->page_index(), 1);
    QTRY_VERIFY(shown(QStringLiteral("afNear")));
    ui_->waitForFrame();

    // A single variant leaves nothing to choose.
    const bool choice = variants.size() > 1;
    QStringList offered;
    for (int f : AF_LIMIT_FUNCTIONS)
        if (shown(QStringLiteral("operation_%1").arg(f)))
            offered << QString::number(f);
    QStringList expected;
    if (choice)
        for (int f : AF_LIMIT_FUNCTIONS)
            if (variants.contains(f))
                expected << QString::number(f);
    QCOMPARE(offered, expected);
    QStringList variantNames;
    for (int f : variants)
        variantNames << QString::number(f);
    ui_->picture(QStringLiteral("variant_afOps_%1_popup").arg(variantNames.join(QString())));

    // Each choice names its way of working and goes to the lens at once.
    const char* const labels[] = {"ButtonSelect_LabelAFLimitClick", "ButtonSelect_LabelAFLimitLongClick",
                                  "ButtonSelect_LabelWhilePress", "ButtonSelect_LabelWhileRelease"};
    for (int i = 0; i < 4; ++i) {
        const int f = AF_LIMIT_FUNCTIONS[i];
        if (!expected.contains(QString::number(f)))
            continue;
        const QString name = QStringLiteral("operation_%1").arg(f);
        QCOMPARE(item(name)->property("text").toString(), qtTrId(labels[i]));
        QCOMPARE(item(name)->property("selected").toBool(), f == int(byteAt(AT_BT_FUNC + 2)));
        ui_->pressAndSettle(name);
        QCOMPARE(int(byteAt(AT_BT_FUNC + 2)), f);
        QCOMPARE(settings().bt_func()[2], f);
        QTRY_VERIFY(item(name) && item(name)->property("selected").toBool());
    }

    ui_->press(QStringLiteral("popupBack"));
    QTRY_COMPARE(vm().popup()->page_index(), 0);
    QTRY_VERIFY(!vm().lock());
    QCOMPARE(image(), before);
    ui_->closePopupWith(QStringLiteral("popupCancel"));
    QCOMPARE(image(), before);
}

QTEST_MAIN(LensVariantsTest)
#include "tst_lens_variants.moc"
