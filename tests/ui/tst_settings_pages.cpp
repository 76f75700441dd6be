// The settings pages, the function description page and the start page against lenses
// of different capabilities, with pictures of each in English and Japanese.
#include "MainWindow.h"
#include "WindowHarness.h"

#include "controller/AppViewModel.h"
#include "controller/MenuId.h"
#include "model/AdjustItemModel.h"
#include "model/BasicInfoViewModel.h"
#include "model/ButtonItemModel.h"
#include "model/LensSettingViewModel.h"
#include "model/RingItemModel.h"
#include "platform/Preferences.h"
#include "ui/MessageViewModel.h"
#include "ui/PopupViewModel.h"

#include <QQuickItem>
#include <QQuickWindow>
#include <QtTest>

#include <memory>

using namespace kelvara;

namespace {

const QString showStartPageKey = QString::fromLatin1(Preferences::SHOW_START_PAGE);

} // namespace

class SettingsPagesTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void pagesFollowTheLens_data();
    void pagesFollowTheLens();
    void changeButtonsOpenTheirPopups_data();
    void changeButtonsOpenTheirPopups();
    void changeButtonsDoNothingWhileLocked();
    void helpShowsThePageFunctions();
    void keyboardFocusScrollsIntoView();
    void startPageDismissedWithoutTickingComesBack();
    void startPageDismissedWithTickStaysAway();
    void pictures_data();
    void pictures();

  private:
    // A window on `preset`, connected for customising, at the smallest size.
    bool open(const QString& preset, bool afCustomize,
              QLocale::Language language = QLocale::English);
    // The item's centre within the window, once the page is laid out at the window's size.
    QPoint centreOf(const QString& name) const;
    // Clicks the item once the page is laid out.
    void press(const QString& name);
    QString text(const QString& name) const {
        QQuickItem* found = ui_->item(name);
        return found ? found->property("text").toString() : QString();
    }
    // Scrolls the page on screen to its end.
    void scrollToEnd();
    void checkFunctionList();

    QTemporaryDir userFiles_;
    std::unique_ptr<WindowHarness> ui_;
    QString openPreset_;
};

void SettingsPagesTest::initTestCase() {
    QVERIFY(userFiles_.isValid());
    WindowHarness::isolateUserFiles(userFiles_.path());
}

bool SettingsPagesTest::open(const QString& preset, bool afCustomize,
                             QLocale::Language language) {
    ui_.reset();
    openPreset_.clear();
    ui_ = std::make_unique<WindowHarness>();
    if (!ui_->startConnected({.preset = preset, .language = language, .afCustomize = afCustomize}) ||
        !ui_->toSmallest())
        return false;
    openPreset_ = preset;
    return true;
}

QPoint SettingsPagesTest::centreOf(const QString& name) const {
    const QQuickItem* target = ui_->item(name);
    if (!target || !ui_->shown(name))
        return QPoint(-1, -1);
    const QPoint centre =
        target->mapToScene(QPointF(target->width() / 2, target->height() / 2)).toPoint();
    return QRect(QPoint(), ui_->window()->size()).contains(centre) ? centre : QPoint(-1, -1);
}

void SettingsPagesTest::press(const QString& name) {
    QTRY_VERIFY2(centreOf(name) != QPoint(-1, -1), qPrintable(name));
    ui_->click(name);
}

void SettingsPagesTest::scrollToEnd() {
    QQuickItem* scroll = ui_->item(QStringLiteral("pageScroll"));
    QVERIFY(scroll);
    auto* view = qvariant_cast<QQuickItem*>(scroll->property("contentItem"));
    QVERIFY(view);
    const qreal end = view->property("contentHeight").toReal() - view->height();
    QVERIFY(end > 0);
    view->setProperty("contentY", end);
}

void SettingsPagesTest::pagesFollowTheLens_data() {
    QTest::addColumn<QString>("preset");
    QTest::addColumn<bool>("afCustomize");
    QTest::addColumn<bool>("switchPage");
    QTest::addColumn<bool>("anglePage");
    QTest::addColumn<bool>("adjustPage");
    // The data spell out what each lens offers, so that both sides of every condition
    // are met at least once.
    QTest::newRow("zoom with switch, AF adjustment") << "zoom-e" << true << true << true << true;
    QTest::newRow("zoom, AF adjustment not offered") << "zoom-e" << false << true << true << false;
    QTest::newRow("prime with button only") << "prime-z" << true << false << true << true;
    QTest::newRow("on camera body, no angle") << "on-body" << true << false << false << false;
}

// Menu entries, rows and the function list agree with the lens's capability bits.
void SettingsPagesTest::pagesFollowTheLens() {
    QFETCH(QString, preset);
    QFETCH(bool, afCustomize);
    QFETCH(bool, switchPage);
    QFETCH(bool, anglePage);
    QFETCH(bool, adjustPage);
    QVERIFY(open(preset, afCustomize));
    QVERIFY(!ui_->shown(QStringLiteral("startPage")));

    const BasicInfoViewModel& info = *ui_->vm().basic_info();
    auto bit = [&info](int n) { return info.isSettingSupported(n); };
    QCOMPARE(bit(1), switchPage);
    QCOMPARE(bit(5), anglePage);
    QCOMPARE(info.isAFCustomizeVisible(), adjustPage);

    const bool ring = bit(2) || bit(3) || bit(4) || bit(5);
    const bool customising = bit(0) || bit(1) || ring || info.isAFCustomizeVisible();
    QCOMPARE(ui_->shown(QStringLiteral("menu_Menu_Home")), customising);
    QCOMPARE(ui_->shown(QStringLiteral("menu_Menu_FunctionDescription")), customising);
    QCOMPARE(ui_->shown(QStringLiteral("menu_Menu_SwitchSetting")), bit(1));
    QCOMPARE(ui_->shown(QStringLiteral("menu_Menu_ButtonSetting")), !bit(1) && bit(0));
    QCOMPARE(ui_->shown(QStringLiteral("menu_Menu_RingFocusSetting")), ring);
    QCOMPARE(ui_->shown(QStringLiteral("menu_Menu_Adjustment")), info.isAFCustomizeVisible());

    // The switch page lists each position and the button; the button page the button only.
    if (bit(1)) {
        ui_->showPage(CSW_CBT_SETTING, "customSettingPage");
        QStringList rows;
        for (int slot = 1; slot <= qMin(3, int(info.customSwitchStateCount())); ++slot)
            rows << QStringLiteral("rowCustom%1").arg(slot);
        if (info.customButtonCount() > 0)
            rows << QStringLiteral("rowButton");
        rows.sort();
        QVERIFY(rows.size() > 1);
        QCOMPARE(ui_->shownNames(QStringLiteral("row")), rows);
        QVERIFY(ui_->shown(QStringLiteral("customSwitchExplanation")));
    } else {
        ui_->showPage(CBT_SETTING, "customSettingPage");
        QCOMPARE(ui_->shownNames(QStringLiteral("row")), QStringList{QStringLiteral("rowButton")});
        QVERIFY(!ui_->shown(QStringLiteral("customSwitchExplanation")));
    }
    QCOMPARE(text(QStringLiteral("pageTitle")),
             qtTrId(bit(1) ? "Menu_SwitchSetting" : "Menu_ButtonSetting"));
    QCOMPARE(text(QStringLiteral("valueButton")), ui_->vm().buttonSummaryText(0, false));

    if (ring) {
        ui_->showPage(RING_SETTING, "ringSettingPage");
        QCOMPARE(ui_->shown(QStringLiteral("rowDirection")), bit(3));
        QCOMPARE(ui_->shown(QStringLiteral("rowResponse")), bit(4));
        QCOMPARE(ui_->shown(QStringLiteral("rowAngle")), bit(5));
        if (bit(3))
            QCOMPARE(text(QStringLiteral("valueDirection")), ui_->vm().ringDirectionText());
        if (bit(5))
            QCOMPARE(text(QStringLiteral("valueAngle")), ui_->vm().ringAngleText());
    }
    if (info.isAFCustomizeVisible()) {
        ui_->showPage(ADJUSTMENT, "adjustmentPage");
        QVERIFY(ui_->shown(QStringLiteral("rowPinto")));
        QCOMPARE(text(QStringLiteral("valuePinto")), ui_->vm().pintoText());
    }
    ui_->showPage(FUNCTION_DESCRIPTION, "functionDescriptionPage");
    checkFunctionList();
}

// Each label of a selectable function once, the focus ring's supported settings and the
// adjustment when offered; each entry links to the address of its first function.
void SettingsPagesTest::checkFunctionList() {
    const ButtonItemModel& buttons = *ui_->vm().button_item();
    const QStringList labels = buttons.functionLabels();
    QStringList expected, seen;
    for (int raw = 0; raw < labels.size(); ++raw) {
        if (buttons.isFunctionSelectable(raw) && !seen.contains(labels[raw])) {
            seen << labels[raw];
            expected << QStringLiteral("function_custom_%1").arg(raw);
        }
    }
    for (int id = 0; id < 2; ++id)
        if (ui_->vm().ring_item()->isRingFunctionSupported(id))
            expected << QStringLiteral("function_ring_%1").arg(id);
    if (ui_->vm().basic_info()->isAFCustomizeVisible())
        expected << QStringLiteral("function_adjust_0");
    expected.sort();
    QCOMPARE(ui_->shownNames(QStringLiteral("function_")), expected);

    const struct {
        int raw;
        const char* address;
    } links[] = {{0, ""},
                 {1, "HelpURL_AfMfSwitch"},
                 {3, "HelpURL_AFLimit"},
                 {5, "HelpURL_CameraFunction"},
                 {8, "HelpURL_FocusPreset"},
                 {9, "HelpURL_ABFocus"},
                 {12, "HelpURL_RingFunction"},
                 {14, "HelpURL_InfLock"}};
    int checked = 0;
    for (const auto& link : links) {
        const QString name = QStringLiteral("function_custom_%1").arg(link.raw);
        if (!expected.contains(name))
            continue;
        ++checked;
        QQuickItem* entry = ui_->item(name);
        QCOMPARE(entry->property("helpUrl").toString(), QLatin1String(link.address));
        QCOMPARE(entry->property("label").toString(), labels[link.raw]);
        QCOMPARE(ui_->shown(QStringLiteral("functionHelp_custom_%1").arg(link.raw)),
                 *link.address != '\0');
    }
    QVERIFY(checked > 3);
}

void SettingsPagesTest::changeButtonsOpenTheirPopups_data() {
    QTest::addColumn<QString>("preset");
    QTest::addColumn<int>("menu");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("popupId");
    QTest::addColumn<int>("swId");
    QTest::newRow("custom 1") << "zoom-e" << int(CSW_CBT_SETTING) << "changeCustom1" << 1 << 1;
    QTest::newRow("custom 2") << "zoom-e" << int(CSW_CBT_SETTING) << "changeCustom2" << 1 << 2;
    QTest::newRow("custom 3") << "zoom-e" << int(CSW_CBT_SETTING) << "changeCustom3" << 1 << 3;
    QTest::newRow("switch page button") << "zoom-e" << int(CSW_CBT_SETTING) << "changeButton" << 1 << 0;
    QTest::newRow("button page button") << "prime-z" << int(CBT_SETTING) << "changeButton" << 1 << 0;
    QTest::newRow("ring direction") << "zoom-e" << int(RING_SETTING) << "changeDirection" << 2 << -1;
    QTest::newRow("ring response") << "zoom-e" << int(RING_SETTING) << "changeResponse" << 3 << -1;
    QTest::newRow("ring angle") << "zoom-e" << int(RING_SETTING) << "changeAngle" << 3 << -1;
    QTest::newRow("AF adjustment") << "zoom-e" << int(ADJUSTMENT) << "changePinto" << 4 << -1;
}

void SettingsPagesTest::changeButtonsOpenTheirPopups() {
    QFETCH(QString, preset);
    QFETCH(int, menu);
    QFETCH(QString, button);
    QFETCH(int, popupId);
    QFETCH(int, swId);
    // One window per lens for all its buttons.
    if (!ui_ || openPreset_ != preset)
        QVERIFY(open(preset, true));
    ui_->vm().setSelected_menu(MenuId(menu));
    QTRY_VERIFY(ui_->shown(button));
    PopupViewModel& popup = *ui_->vm().popup();
    QVERIFY(!popup.show_popup());

    press(button);
    QTRY_VERIFY(popup.show_popup());
    QCOMPARE(popup.popupIdValue(), popupId);
    QCOMPARE(popup.sw_id(), swId);
    QTRY_VERIFY(ui_->shown(QStringLiteral("popupHost")));
    popup.confirmPopup();
    QTRY_VERIFY(!popup.show_popup());

    // From the keyboard: Return on the focused button does the same.
    ui_->item(button)->forceActiveFocus(Qt::TabFocusReason);
    QTest::keyClick(ui_->window(), Qt::Key_Return);
    QTRY_VERIFY(popup.show_popup());
    QCOMPARE(popup.popupIdValue(), popupId);
    QCOMPARE(popup.sw_id(), swId);
    popup.confirmPopup();
    QTRY_VERIFY(!popup.show_popup());
}

// While a setting is being written neither a click nor a key opens a popup.
void SettingsPagesTest::changeButtonsDoNothingWhileLocked() {
    QVERIFY(open(QStringLiteral("zoom-e"), true));
    PopupViewModel& popup = *ui_->vm().popup();
    const struct {
        MenuId menu;
        const char* page;
        const char* button;
    } buttons[] = {{CSW_CBT_SETTING, "customSettingPage", "changeCustom2"},
                   {RING_SETTING, "ringSettingPage", "changeResponse"},
                   {ADJUSTMENT, "adjustmentPage", "changePinto"}};
    for (const auto& entry : buttons) {
        ui_->showPage(entry.menu, entry.page);
        QQuickItem* button = ui_->item(QLatin1String(entry.button));
        QTRY_VERIFY(centreOf(QLatin1String(entry.button)) != QPoint(-1, -1));
        const QPoint centre = centreOf(QLatin1String(entry.button));
        ui_->vm().setLock(true);
        QTRY_VERIFY(ui_->shown(QStringLiteral("lockLayer")));
        QTest::mouseClick(ui_->window(), Qt::LeftButton, {}, centre);
        button->forceActiveFocus(Qt::TabFocusReason);
        QTest::keyClick(ui_->window(), Qt::Key_Space);
        QTest::keyClick(ui_->window(), Qt::Key_Return);
        QCoreApplication::processEvents();
        QVERIFY2(!popup.show_popup(), entry.button);
        ui_->vm().setLock(false);
        // The same click once the write is over opens the popup: the click did reach it.
        QTest::mouseClick(ui_->window(), Qt::LeftButton, {}, centre);
        QTRY_VERIFY2(popup.show_popup(), entry.button);
        popup.confirmPopup();
        QTRY_VERIFY(!popup.show_popup());
    }
}

// The title's help explains the functions of the page, and its answer closes it.
void SettingsPagesTest::helpShowsThePageFunctions() {
    QVERIFY(open(QStringLiteral("zoom-e"), true));
    MessageViewModel& message = *ui_->vm().message();

    ui_->showPage(RING_SETTING, "ringSettingPage");
    press(QStringLiteral("pageHelp"));
    QTRY_VERIFY(message.show_message());
    QCOMPARE(message.title(), qtTrId("Menu_RingFocusSetting"));
    const RingItemModel& ring = *ui_->vm().ring_item();
    QCOMPARE(message.label1(), ring.functionLabels().at(0));
    QCOMPARE(message.desc1(), ring.ringExplanation(0));
    QCOMPARE(message.label2(), ring.functionLabels().at(1));
    QCOMPARE(message.label3(), qtTrId("RingSetting_RingAngle"));
    ui_->picture(QStringLiteral("settings_ringHelp"));
    press(QStringLiteral("messageOk"));
    QTRY_VERIFY(!message.show_message());

    // The switch page names each function in use once.
    ui_->showPage(CSW_CBT_SETTING, "customSettingPage");
    press(QStringLiteral("pageHelp"));
    QTRY_VERIFY(message.show_message());
    QCOMPARE(message.title(), qtTrId("Menu_SwitchSetting"));
    QCOMPARE(message.message(), qtTrId("CustomSetting_CustomSwitchExplanation"));
    const QList<int> functions = ui_->vm().lens_setting()->bt_func();
    const ButtonItemModel& buttons = *ui_->vm().button_item();
    QStringList labels, texts;
    for (int slot : {1, 2, 3, 0}) {
        const QString label = buttons.functionLabel(functions.at(slot));
        if (!label.isEmpty() && !labels.contains(label) && labels.size() < 3) {
            labels << label;
            texts << buttons.functionExplanation(functions.at(slot));
        }
    }
    QVERIFY(labels.size() > 1);
    while (labels.size() < 3) {
        labels << QString();
        texts << QString();
    }
    QCOMPARE((QStringList{message.label1(), message.label2(), message.label3()}), labels);
    QCOMPARE((QStringList{message.desc1(), message.desc2(), message.desc3()}), texts);
    press(QStringLiteral("messageOk"));
    QTRY_VERIFY(!message.show_message());

    ui_->showPage(ADJUSTMENT, "adjustmentPage");
    press(QStringLiteral("pageHelp"));
    QTRY_VERIFY(message.show_message());
    QCOMPARE(message.message(), ui_->vm().adjust_item()->adjustExplanation(0));
    press(QStringLiteral("messageOk"));
    QTRY_VERIFY(!message.show_message());

    // Back leads home.
    press(QStringLiteral("pageReturn"));
    QTRY_COMPARE(ui_->pageName(), QStringLiteral("homePage"));
}

// At the smallest size the last controls lie below the fold until Tab reaches them.
void SettingsPagesTest::keyboardFocusScrollsIntoView() {
    QVERIFY(open(QStringLiteral("zoom-e"), true));
    ui_->showPage(FUNCTION_DESCRIPTION, "functionDescriptionPage");
    QQuickItem* scroll = ui_->item(QStringLiteral("pageScroll"));
    QQuickItem* link = ui_->item(QStringLiteral("functionList"));
    const auto insideView = [&] {
        const QRectF view = scroll->mapRectToScene(QRectF(0, 0, scroll->width(), scroll->height()));
        return view.contains(link->mapRectToScene(QRectF(0, 0, link->width(), link->height())));
    };
    // Once laid out at the window's size.
    QTRY_VERIFY(scroll->height() > 0 && link->height() > 0 &&
                scroll->mapToScene(QPointF(0, scroll->height())).y() <= ui_->window()->height());
    QVERIFY(!insideView());
    link->forceActiveFocus(Qt::TabFocusReason);
    QTRY_VERIFY(insideView());
    // Back up to the first control: the page scrolls back to the top.
    QQuickItem* first = ui_->item(QStringLiteral("functionHelp_custom_1"));
    first->forceActiveFocus(Qt::BacktabFocusReason);
    QTRY_VERIFY(scroll->mapRectToScene(QRectF(0, 0, scroll->width(), scroll->height()))
                    .contains(first->mapRectToScene(QRectF(0, 0, first->width(), first->height()))));
}

void SettingsPagesTest::startPageDismissedWithoutTickingComesBack() {
    ui_.reset();
    ui_ = std::make_unique<WindowHarness>();
    QString error;
    QVERIFY2(ui_->start({{}, QLocale::English, true}, &error), qPrintable(error));
    QVERIFY(ui_->shown(QStringLiteral("startPage")));
    QVERIFY(!ui_->item(QStringLiteral("startPageDontShowNext"))->property("checked").toBool());
    // The page lies over the connect page, whose buttons it keeps out of reach.
    QVERIFY(ui_->shown(QStringLiteral("connectCustomize")));
    // Return starts at once: the start button holds the focus from the first moment.
    QVERIFY(ui_->item(QStringLiteral("startPageStart"))->hasActiveFocus());
    QTest::keyClick(ui_->window(), Qt::Key_Return);
    QTRY_VERIFY(!ui_->shown(QStringLiteral("startPage")));
    QCOMPARE(ui_->pageName(), QStringLiteral("connectPage"));
    QVERIFY(!Preferences::boolValue(showStartPageKey));
    MainWindow next(&ui_->vm());
    QVERIFY(next.startPageWanted());
}

void SettingsPagesTest::startPageDismissedWithTickStaysAway() {
    ui_.reset();
    ui_ = std::make_unique<WindowHarness>();
    QString error;
    QVERIFY2(ui_->start({{}, QLocale::English, true}, &error), qPrintable(error));
    QVERIFY(ui_->shown(QStringLiteral("startPage")));
    // Tab goes round the start page's controls only, never to the window beneath it.
    const QStringList ring{QStringLiteral("startPageLink"), QStringLiteral("startPageDontShowNext"),
                           QStringLiteral("startPageStart")};
    for (const QString& next : ring) {
        QTest::keyClick(ui_->window(), Qt::Key_Tab);
        QTRY_VERIFY2(ui_->item(next)->hasActiveFocus(), qPrintable(next));
    }
    // Space on the focused box ticks it.
    QTest::keyClick(ui_->window(), Qt::Key_Tab);
    QTest::keyClick(ui_->window(), Qt::Key_Tab);
    QTRY_VERIFY(ui_->item(QStringLiteral("startPageDontShowNext"))->hasActiveFocus());
    QTest::keyClick(ui_->window(), Qt::Key_Space);
    QTRY_VERIFY(ui_->item(QStringLiteral("startPageDontShowNext"))->property("checked").toBool());
    // Ticking alone stores nothing; the start button does.
    QVERIFY(!Preferences::boolValue(showStartPageKey));
    press(QStringLiteral("startPageStart"));
    QTRY_VERIFY(!ui_->shown(QStringLiteral("startPage")));
    QVERIFY(Preferences::boolValue(showStartPageKey));
    MainWindow next(&ui_->vm());
    QVERIFY(!next.startPageWanted());
}

void SettingsPagesTest::pictures_data() {
    WindowHarness::addLanguageRows();
}

// At the smallest window size, where text is most likely to be cut.
void SettingsPagesTest::pictures() {
    QFETCH(QLocale::Language, language);
    ui_.reset();
    ui_ = std::make_unique<WindowHarness>();
    QString error;
    QVERIFY2(ui_->start({{}, language, true}, &error), qPrintable(error));
    QVERIFY(ui_->toSmallest());
    ui_->picture(QStringLiteral("settings_startPage"));
    press(QStringLiteral("startPageStart"));
    QTRY_VERIFY(!ui_->shown(QStringLiteral("startPage")));

    QVERIFY(open(QStringLiteral("zoom-e"), true, language));
    ui_->showPage(CSW_CBT_SETTING, "customSettingPage");
    ui_->picture(QStringLiteral("settings_switchPage"));
    scrollToEnd();
    ui_->picture(QStringLiteral("settings_switchPageEnd"));
    ui_->showPage(RING_SETTING, "ringSettingPage");
    ui_->picture(QStringLiteral("settings_ringPage"));
    ui_->showPage(ADJUSTMENT, "adjustmentPage");
    ui_->picture(QStringLiteral("settings_adjustmentPage"));
    ui_->showPage(FUNCTION_DESCRIPTION, "functionDescriptionPage");
    ui_->picture(QStringLiteral("settings_functions"));
    scrollToEnd();
    ui_->picture(QStringLiteral("settings_functionsEnd"));

    QVERIFY(open(QStringLiteral("prime-z"), true, language));
    ui_->showPage(CBT_SETTING, "customSettingPage");
    ui_->picture(QStringLiteral("settings_buttonPage"));
    ui_->showPage(FUNCTION_DESCRIPTION, "functionDescriptionPage");
    ui_->picture(QStringLiteral("settings_functionsPrime"));
}

QTEST_MAIN(SettingsPagesTest)
#include "tst_settings_pages.moc"
