// The settings pages, the function descriptions and the start page against lenses of
// different capabilities.
#include "MainWindow.h"
#include "SceneRects.h"
#include "WindowHarness.h"

#include "controller/AppViewModel.h"
#include "controller/MenuId.h"
#include "model/AdjustItemModel.h"
#include "model/BasicInfoViewModel.h"
#include "model/ButtonItemModel.h"
#include "model/LensSettingViewModel.h"
#include "model/RingItemModel.h"
#include "platform/Preferences.h"
#include "ui/MessageType.h"
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
    void initTestCase() {
        QVERIFY(userFiles_.isValid());
        WindowHarness::isolateUserFiles(userFiles_.path());
    }

    void pagesFollowTheLens_data() {
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
    void pagesFollowTheLens() {
        QFETCH(QString, preset);
        QFETCH(bool, afCustomize);
        QFETCH(bool, switchPage);
        QFETCH(bool, anglePage);
        QFETCH(bool, adjustPage);
        QVERIFY(open(preset, afCustomize));
        QVERIFY(!ui_->shown(QStringLiteral("startPage")));
        const BasicInfoViewModel& info = *ui_->vm().basic_info();
        auto bit = [&info](int n) { return info.isSettingSupported(n); };
        QCOMPARE((QList<bool>{bit(1), bit(5), info.isAFCustomizeVisible()}),
                 (QList<bool>{switchPage, anglePage, adjustPage}));

        const bool ring = bit(2) || bit(3) || bit(4) || bit(5);
        const bool customising = bit(0) || bit(1) || ring || adjustPage;
        QStringList menu{QStringLiteral("Backups"), QStringLiteral("FirmwareInfo"),
                         QStringLiteral("VersionInfo")};
        const std::pair<bool, const char*> entries[] = {
            {customising, "Home"}, {customising, "FunctionDescription"}, {bit(1), "SwitchSetting"},
            {!bit(1) && bit(0), "ButtonSetting"}, {ring, "RingFocusSetting"}, {adjustPage, "Adjustment"}};
        for (const auto& [offered, entry] : entries)
            if (offered)
                menu << QLatin1String(entry);
        menu.sort();
        QCOMPARE(ui_->menu(), menu);

        // The switch page lists each position and the button; the button page the button only.
        ui_->showPage(bit(1) ? CSW_CBT_SETTING : CBT_SETTING, "customSettingPage");
        QStringList rows{QStringLiteral("rowButton")};
        for (int slot = 1; bit(1) && slot <= qMin(3, int(info.customSwitchStateCount())); ++slot)
            rows << QStringLiteral("rowCustom%1").arg(slot);
        QCOMPARE(ui_->shownNames(QStringLiteral("row")), rows);
        QCOMPARE(ui_->shown(QStringLiteral("customSwitchExplanation")), bit(1));
        QCOMPARE(text(QStringLiteral("pageTitle")), qtTrId(bit(1) ? "Menu_SwitchSetting" : "Menu_ButtonSetting"));
        QCOMPARE(text(QStringLiteral("valueButton")), ui_->vm().buttonSummaryText(0, false));
        // A function with nothing to explain offers no help.
        const int held = ui_->vm().lens_setting()->bt_func()[0];
        QCOMPARE(ui_->shown(QStringLiteral("helpButton")),
                 !ui_->vm().button_item()->functionExplanation(held).isEmpty());

        if (ring) {
            ui_->showPage(RING_SETTING, "ringSettingPage");
            QStringList expected;
            if (bit(3))
                expected << QStringLiteral("rowDirection");
            if (bit(4))
                expected << QStringLiteral("rowResponse");
            if (bit(5))
                expected << QStringLiteral("rowAngle");
            QCOMPARE(ui_->shownAmong({QStringLiteral("rowDirection"), QStringLiteral("rowResponse"),
                                      QStringLiteral("rowAngle")}),
                     expected);
            if (bit(3))
                QCOMPARE(text(QStringLiteral("valueDirection")), ui_->vm().ringDirectionText());
            if (bit(5))
                QCOMPARE(text(QStringLiteral("valueAngle")), ui_->vm().ringAngleText());
        }
        if (adjustPage) {
            ui_->showPage(ADJUSTMENT, "adjustmentPage");
            QVERIFY(ui_->shown(QStringLiteral("rowPinto")));
            QCOMPARE(text(QStringLiteral("valuePinto")), ui_->vm().pintoText());
        }
        ui_->showPage(FUNCTION_DESCRIPTION, "functionDescriptionPage");
        checkFunctionList();
    }

    void changeButtonsOpenTheirPopups_data() {
        QTest::addColumn<QString>("preset");
        QTest::addColumn<int>("menu");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QList<int>>("popup");    // its id and control
        QTest::newRow("custom 1") << "zoom-e" << int(CSW_CBT_SETTING) << "changeCustom1" << QList<int>{1, 1};
        QTest::newRow("custom 2") << "zoom-e" << int(CSW_CBT_SETTING) << "changeCustom2" << QList<int>{1, 2};
        QTest::newRow("custom 3") << "zoom-e" << int(CSW_CBT_SETTING) << "changeCustom3" << QList<int>{1, 3};
        QTest::newRow("switch page button") << "zoom-e" << int(CSW_CBT_SETTING) << "changeButton" << QList<int>{1, 0};
        QTest::newRow("button page button") << "prime-z" << int(CBT_SETTING) << "changeButton" << QList<int>{1, 0};
        QTest::newRow("ring direction") << "zoom-e" << int(RING_SETTING) << "changeDirection" << QList<int>{2, -1};
        QTest::newRow("ring response") << "zoom-e" << int(RING_SETTING) << "changeResponse" << QList<int>{3, -1};
        QTest::newRow("ring angle") << "zoom-e" << int(RING_SETTING) << "changeAngle" << QList<int>{3, -1};
        QTest::newRow("AF adjustment") << "zoom-e" << int(ADJUSTMENT) << "changePinto" << QList<int>{4, -1};
    }

    // A click, and Return on the focused button, open the control's popup; while a setting
    // is being written neither a click nor a key does.
    void changeButtonsOpenTheirPopups() {
        QFETCH(QString, preset);
        QFETCH(int, menu);
        QFETCH(QString, button);
        QFETCH(QList<int>, popup);
        // One window per lens for all its buttons.
        if (!ui_ || openPreset_ != preset)
            QVERIFY(open(preset, true));
        ui_->vm().setSelected_menu(MenuId(menu));
        PopupViewModel& model = *ui_->vm().popup();
        QTRY_VERIFY(ui_->shown(button));
        ui_->waitForFrame();
        ui_->vm().setLock(true);
        QTRY_VERIFY(ui_->shown(QStringLiteral("lockLayer")));
        // Where the click below lands once the write is over: this one did reach the button.
        QTest::mouseClick(ui_->window(), Qt::LeftButton, {}, sceneRect(ui_->item(button)).center().toPoint());
        ui_->item(button)->forceActiveFocus(Qt::TabFocusReason);
        QTest::keyClick(ui_->window(), Qt::Key_Space);
        QTest::keyClick(ui_->window(), Qt::Key_Return);
        QCoreApplication::processEvents();
        QVERIFY(!model.show_popup());
        ui_->vm().setLock(false);
        for (bool keyboard : {false, true}) {
            QVERIFY(!model.show_popup());
            if (keyboard) {
                ui_->item(button)->forceActiveFocus(Qt::TabFocusReason);
                QTest::keyClick(ui_->window(), Qt::Key_Return);
            } else {
                press(button);
            }
            QTRY_VERIFY(model.show_popup());
            QCOMPARE((QList<int>{model.popupIdValue(), model.sw_id()}), popup);
            QTRY_VERIFY(ui_->shown(QStringLiteral("popupHost")));
            model.confirmPopup();
            QTRY_VERIFY(!model.show_popup());
        }
    }

    // The title's help explains the functions of the page, and its answer closes it.
    void helpShowsThePageFunctions() {
        QVERIFY(open(QStringLiteral("zoom-e"), true));
        const auto labels = [](const MessageViewModel& m) {
            return QStringList{m.label1(), m.label2(), m.label3()};
        };
        const auto close = [this] {
            press(QStringLiteral("messageOk"));
            QTRY_VERIFY(!ui_->vm().message()->show_message());
        };
        const MessageViewModel& ringHelp = help(RING_SETTING, "ringSettingPage");
        const RingItemModel& ring = *ui_->vm().ring_item();
        QCOMPARE(ringHelp.title(), qtTrId("Menu_RingFocusSetting"));
        QCOMPARE(labels(ringHelp), (QStringList{ring.functionLabels().at(0), ring.functionLabels().at(1),
                                                qtTrId("RingSetting_RingAngle")}));
        QCOMPARE(ringHelp.desc1(), ring.ringExplanation(0));
        ui_->picture(QStringLiteral("settings_ringHelp"));
        close();

        // The switch page names each function in use once.
        const MessageViewModel& switchHelp = help(CSW_CBT_SETTING, "customSettingPage");
        QCOMPARE(switchHelp.title(), qtTrId("Menu_SwitchSetting"));
        QCOMPARE(switchHelp.message(), qtTrId("CustomSetting_CustomSwitchExplanation"));
        const QList<int> functions = ui_->vm().lens_setting()->bt_func();
        const ButtonItemModel& buttons = *ui_->vm().button_item();
        QStringList expected{QString(), QString(), QString()}, texts = expected;
        for (int slot : {1, 2, 3, 0}) {
            const QString label = buttons.functionLabel(functions.at(slot));
            const qsizetype at = expected.indexOf(QString());
            if (!label.isEmpty() && !expected.contains(label) && at >= 0) {
                expected[at] = label;
                texts[at] = buttons.functionExplanation(functions.at(slot));
            }
        }
        QVERIFY(!expected[1].isEmpty());
        QCOMPARE(labels(switchHelp), expected);
        QCOMPARE((QStringList{switchHelp.desc1(), switchHelp.desc2(), switchHelp.desc3()}), texts);
        close();

        QCOMPARE(help(ADJUSTMENT, "adjustmentPage").message(), ui_->vm().adjust_item()->adjustExplanation(0));
        close();
        // Back leads home.
        press(QStringLiteral("pageReturn"));
        QTRY_COMPARE(ui_->pageName(), QStringLiteral("homePage"));
    }

    // Each control's help describes the function it holds, in the box's function layout.
    void functionHelpDescribesEachControlsFunction() {
        QVERIFY(open(QStringLiteral("zoom-e"), true));
        ui_->showPage(CSW_CBT_SETTING, "customSettingPage");
        const MessageViewModel& message = *ui_->vm().message();
        const ButtonItemModel& buttons = *ui_->vm().button_item();
        const struct {
            int slot;
            const char* key;
            const char* control;
        } rows[] = {{1, "Custom1", "Common_Custom1"}, {2, "Custom2", "Common_Custom2"},
                    {3, "Custom3", "Common_Custom3"}, {0, "Button", "Home_LabelFocusSetButton"}};
        for (const auto& row : rows) {
            const int f = ui_->vm().lens_setting()->bt_func()[row.slot];
            ui_->press(QStringLiteral("help") + QLatin1String(row.key));
            QTRY_VERIFY(message.show_message());
            QCOMPARE((QList<int>{int(message.tooltip_type()), message.sw_id(), message.func_id()}),
                     (QList<int>{int(MessageType::ButtonFunction), row.slot, f}));
            QCOMPARE((QStringList{text(QStringLiteral("messageControl")), text(QStringLiteral("messageTitle")),
                                  text(QStringLiteral("messageText"))}),
                     (QStringList{qtTrId(row.control), buttons.functionLabel(f), buttons.functionExplanation(f)}));
            press(QStringLiteral("messageOk"));
            QTRY_VERIFY(!message.show_message());
        }
    }

    // The home page's lines of the switch and the button say what the settings page and the
    // command line say, details included; the lens holds a function with details on each.
    void homeLinesCarryTheDetails() {
        QVERIFY(open(QStringLiteral("zoom-e"), true));
        LensSettingViewModel& settings = *ui_->vm().lens_setting();
        // The button gets the focus preset with a drive time and delay.
        QList<int> functions = settings.bt_func();
        functions[0] = 22;
        settings.setBt_func(functions);
        ui_->settle();
        QCOMPARE(settings.bt_func(), (QList<int>{22, 2, 4, 9}));
        ui_->showPage(HOME, "homePage");
        QList<QStringList> lines;
        for (const QVariant& line : ui_->property(QStringLiteral("summarySwitch"), "lines").toList())
            lines << line.toStringList();
        const QList<QStringList> expected{{qtTrId("Common_Custom1"), ui_->vm().buttonSummaryText(1, true)},
                                          {qtTrId("Common_Custom2"), ui_->vm().buttonSummaryText(2, true)},
                                          {qtTrId("Common_Custom3"), ui_->vm().buttonSummaryText(3, true)},
                                          {qtTrId("Home_LabelFocusSetButton"), ui_->vm().buttonSummaryText(0, true)}};
        QCOMPARE(lines, expected);
        // Operation, AF limit range, speed, drive time and delay: each line goes on after the name.
        const QStringList details{qtTrId("ButtonSelect_LabelClick"), qtTrId("ButtonSelect_LabelAFLimitClick"),
                                  qtTrId("Home_FocusSpeed"), qtTrId("Home_DelaySetting")};
        for (int i = 0; i < lines.size(); ++i) {
            const int slot = (i + 1) % 4;
            QVERIFY(lines[i][1].startsWith(ui_->vm().buttonSummaryText(slot, false) + QStringLiteral("  /  ")));
            QVERIFY2(lines[i][1].contains(details[i]), qPrintable(lines[i][1]));
        }
        QVERIFY(lines[1][1].contains(QStringLiteral("  -  ")));
        QVERIFY(lines[3][1].contains(qtTrId("Home_FocusTime")));
        // The settings page shows the same details below each function's name.
        ui_->showPage(CSW_CBT_SETTING, "customSettingPage");
        QCOMPARE(text(QStringLiteral("valueButton")), ui_->vm().buttonSummaryText(0, false));
        ui_->showPage(HOME, "homePage");
        // The switch block's last line into view.
        auto* summary = qvariant_cast<QQuickItem*>(ui_->property(QStringLiteral("homeSummary"), "contentItem"));
        QVERIFY(summary);
        const qreal below = sceneRect(ui_->item(QStringLiteral("summarySwitch"))).bottom() - sceneRect(summary).bottom();
        summary->setProperty("contentY", summary->property("contentY").toReal() + qMax(0.0, below));
        ui_->waitForFrame();
        ui_->picture(QStringLiteral("settings_homeDetails"));
    }

    // At the smallest size the last controls lie below the fold until Tab reaches them, and
    // Backtab to the first scrolls the page back to the top.
    void keyboardFocusScrollsIntoView() {
        QVERIFY(open(QStringLiteral("zoom-e"), true));
        ui_->showPage(FUNCTION_DESCRIPTION, "functionDescriptionPage");
        QQuickItem* scroll = ui_->item(QStringLiteral("pageScroll"));
        QQuickItem* link = ui_->item(QStringLiteral("functionList"));
        QQuickItem* first = ui_->item(QStringLiteral("functionHelp_custom_1"));
        const auto insideView = [&](QQuickItem* item) { return sceneRect(scroll).contains(sceneRect(item)); };
        // Once laid out at the window's size.
        QTRY_VERIFY(scroll->height() > 0 && link->height() > 0 &&
                    sceneRect(scroll).bottom() <= ui_->window()->height());
        QVERIFY(!insideView(link));
        link->forceActiveFocus(Qt::TabFocusReason);
        QTRY_VERIFY(insideView(link));
        first->forceActiveFocus(Qt::BacktabFocusReason);
        QTRY_VERIFY(insideView(first));
    }

    void startPageIsDismissed_data() {
        QTest::addColumn<bool>("tick");
        QTest::newRow("Return, not ticked: comes back") << false;
        QTest::newRow("ticked, then the start button: stays away") << true;
    }

    // The start page lies over the connect page and keeps the keyboard to itself; only the
    // start button stores the box's tick.
    void startPageIsDismissed() {
        QFETCH(bool, tick);
        openPreset_.clear();
        QVERIFY(WindowHarness::restart(&ui_, {.preset = {}, .language = QLocale::English, .startPage = true}));
        const QString box = QStringLiteral("startPageDontShowNext");
        QVERIFY(ui_->shown(QStringLiteral("startPage")));
        // The window beneath is built after the start page's first frame, and takes no focus.
        // Its parts exist before the page's loader holds them: it is built when both hold.
        QTRY_VERIFY(ui_->pageName() == QStringLiteral("connectPage") &&
                    ui_->shown(QStringLiteral("connectCustomize")));
        QVERIFY(!ui_->property(box, "checked").toBool());
        if (tick) {
            // Tab goes round the start page's controls only, never to the window beneath it.
            for (const QString& next : {QStringLiteral("startPageLink"), box, QStringLiteral("startPageStart"),
                                        QStringLiteral("startPageLink"), box}) {
                QTest::keyClick(ui_->window(), Qt::Key_Tab);
                QTRY_VERIFY2(ui_->item(next)->hasActiveFocus(), qPrintable(next));
            }
            QTest::keyClick(ui_->window(), Qt::Key_Space);
            QTRY_VERIFY(ui_->property(box, "checked").toBool());
            QVERIFY(!Preferences::boolValue(showStartPageKey));
            press(QStringLiteral("startPageStart"));
        } else {
            // Return starts at once: the start button holds the focus from the first moment,
            // and keeps it while the window beneath is built.
            QVERIFY(ui_->item(QStringLiteral("startPageStart"))->hasActiveFocus());
            QTest::keyClick(ui_->window(), Qt::Key_Return);
        }
        QTRY_VERIFY(!ui_->shown(QStringLiteral("startPage")));
        QCOMPARE(ui_->pageName(), QStringLiteral("connectPage"));
        QCOMPARE(Preferences::boolValue(showStartPageKey), tick);
        QCOMPARE(MainWindow(&ui_->vm()).startPageWanted(), !tick);
    }

    void pictures_data() { WindowHarness::addPictureRows(); }

    // At the smallest window size, where text is most likely to be cut.
    void pictures() {
        QFETCH(QLocale::Language, language);
        QFETCH(bool, dark);
        QVERIFY(WindowHarness::restart(&ui_, {.preset = {}, .language = language, .startPage = true, .dark = dark}));
        QVERIFY(ui_->toSmallest());
        ui_->picture(QStringLiteral("settings_startPage"));
        press(QStringLiteral("startPageStart"));
        QTRY_VERIFY(!ui_->shown(QStringLiteral("startPage")));

        const struct {
            const char* preset;
            MenuId menu;
            const char* page;
            const char* picture;
            bool end;           // also scrolled to the end
            const char* help;   // a control whose function help is shown, or empty
        } pages[] = {{"zoom-e", CSW_CBT_SETTING, "customSettingPage", "settings_switchPage", true, "helpCustom2"},
                     {"zoom-e", RING_SETTING, "ringSettingPage", "settings_ringPage", false, ""},
                     {"zoom-e", ADJUSTMENT, "adjustmentPage", "settings_adjustmentPage", false, ""},
                     {"zoom-e", FUNCTION_DESCRIPTION, "functionDescriptionPage", "settings_functions", true, ""},
                     {"prime-z", CBT_SETTING, "customSettingPage", "settings_buttonPage", false, ""},
                     {"prime-z", FUNCTION_DESCRIPTION, "functionDescriptionPage", "settings_functionsPrime", false, ""}};
        QString preset;
        for (const auto& page : pages) {
            if (preset != QLatin1String(page.preset))
                QVERIFY(open(preset = QLatin1String(page.preset), true, language, dark));
            ui_->showPage(page.menu, page.page);
            ui_->picture(QLatin1String(page.picture));
            if (page.end) {
                scrollToEnd();
                ui_->picture(QLatin1String(page.picture) + QStringLiteral("End"));
            }
            if (*page.help) {
                ui_->press(QLatin1String(page.help));
                QTRY_VERIFY(ui_->shown(QStringLiteral("messageCard")));
                ui_->waitForFrame();
                ui_->picture(QLatin1String(page.picture) + QStringLiteral("FunctionHelp"));
                press(QStringLiteral("messageOk"));
                QTRY_VERIFY(!ui_->shown(QStringLiteral("messageBox")));
            }
            QVERIFY(!QTest::currentTestFailed());
        }
    }

  private:
    // A window on `preset`, connected for customising, at the smallest size.
    bool open(const QString& preset, bool afCustomize,
              QLocale::Language language = QLocale::English, bool dark = false) {
        openPreset_.clear();
        if (!WindowHarness::restart(&ui_,
                                    {.preset = preset, .language = language, .dark = dark, .afCustomize = afCustomize},
                                    true) ||
            !ui_->toSmallest())
            return false;
        openPreset_ = preset;
        return true;
    }
    void press(const QString& name) { ui_->clickWhenShown(name); }
    QString text(const QString& name) const { return ui_->text(name); }
    // Opens the page's help and returns the message's labels and texts, then closes it.
    MessageViewModel& help(MenuId menu, const char* page) {
        MessageViewModel& message = *ui_->vm().message();
        ui_->showPage(menu, page);
        press(QStringLiteral("pageHelp"));
        [&] { QTRY_VERIFY(message.show_message()); }();
        return message;
    }

    // Scrolls the page on screen to its end.
    void scrollToEnd() {
        auto* view = qvariant_cast<QQuickItem*>(ui_->property(QStringLiteral("pageScroll"), "contentItem"));
        QVERIFY(view);
        const qreal end = view->property("contentHeight").toReal() - view->height();
        QVERIFY(end > 0);
        view->setProperty("contentY", end);
    }

    // Each label of a selectable function once, under its first function, the focus ring's
    // supported settings and the adjustment when offered.
    void checkFunctionList() {
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
    }

    QTemporaryDir userFiles_;
    std::unique_ptr<WindowHarness> ui_;
    QString openPreset_;
};

QTEST_MAIN(SettingsPagesTest)
#include "tst_settings_pages.moc"
