// The popups that change one lens setting, driven through the window against the
// virtual lens.
#include "SceneRects.h"
#include "WindowHarness.h"

#include "VirtualLens.h"
#include "controller/AppViewModel.h"
#include "model/BasicInfoViewModel.h"
#include "model/ButtonItemModel.h"
#include "model/LensSettingViewModel.h"
#include "ui/MessageViewModel.h"
#include "ui/PopupId.h"
#include "ui/PopupViewModel.h"

#include <QJsonArray>
#include <QQuickItem>
#include <QQuickWindow>
#include <QRegularExpression>
#include <QtTest>

#include <memory>

using namespace kelvara;

namespace {

// Settings image addresses of what the popups change.
constexpr int AT_DIRECTION = 1;
constexpr int AT_RING_RESPONSE = 2;
constexpr int AT_RING_ANGLE = 3;
constexpr int AT_PINTO = 19;
constexpr int AT_BT_FUNC = 80;
constexpr int AT_AF_LIMIT_ROW_4 = 225;
constexpr int AT_FOCUS_TIME = 288;
constexpr int AT_FOCUS_DELAY = 304;

constexpr int POPUP_FUNCTION = int(PopupId::FunctionSelect);
constexpr int POPUP_DIRECTION = int(PopupId::RingDirection);
constexpr int POPUP_RESPONSE = int(PopupId::RingResponse);
constexpr int POPUP_ADJUSTMENT = int(PopupId::AdjustmentPinto);

constexpr quint8 WRITE = 0xF5;
constexpr quint8 REFUSED = 0x80;

} // namespace

class PopupsTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QVERIFY(userFiles_.isValid());
        WindowHarness::isolateUserFiles(userFiles_.path());
        QVERIFY(WindowHarness::restart(&ui_, {}, true));
    }

    void init() {
        // A warning from the pages is a defect of the pages.
        QTest::failOnWarning(QRegularExpression(QStringLiteral(
            "qrc:/Kelvara/LensUtility/(PopupHost|PopupFrame|PopupButton|FunctionPopup|FunctionListPage|"
            "FunctionParameterPage|ButtonFunctions|AfLimitRange|TimeField|RingDirectionPopup|"
            "RingResponsePopup|AdjustmentPopup|ChoiceTile|ValueStepper|SectionHeading|"
            "ExplanationText|Icon)\\.qml")));
    }

    void cleanup() {
        if (vm().popup()->show_popup())
            vm().popup()->setShow_popup(false);
        ui_->lens().clearFaults();
        QTRY_VERIFY(!vm().message()->show_message());
        QTRY_VERIFY(!vm().lock());
    }

    void functionListOffersWhatTheLensSupports() {
        ui_->openPopup(POPUP_FUNCTION, 0);
        const ButtonItemModel& functions = *vm().button_item();
        QCOMPARE(ui_->text(QStringLiteral("popupTitle")), qtTrId("Home_LabelFocusSetButton"));
        // One entry per function; the ways of working one (short or long press, ...) are
        // chosen on the next page, so a family appears once under its first supported member.
        QStringList all, listed, labels, expectedLabels, marked;
        for (int f = 0; f <= 25; ++f)
            all << QStringLiteral("function_%1").arg(f);
        for (int f : {0, 2, 4, 5, 8, 9, 13, 15, 22, 23}) {
            listed << all[f];
            QVERIFY(functions.isFunctionSelectable(f));
            labels << ui_->text(all[f]);
            expectedLabels << functions.functionLabel(f);
            QVERIFY(ui_->property(all[f], "detail").toString().startsWith(functions.functionExplanation(f)));
            if (selected(all[f]))
                marked << all[f];
        }
        QCOMPARE(ui_->shownAmong(all), listed);
        QCOMPARE(labels, expectedLabels);
        // The button holds focus hold (5), which has nothing to set: the list ends with OK.
        QCOMPARE(marked, QStringList{QStringLiteral("function_5")});
        QCOMPARE(ui_->shownAmong({QStringLiteral("popupOk"), QStringLiteral("popupSelect")}),
                 QStringList{QStringLiteral("popupOk")});
        // The preset functions carry the lens's focus speed.
        const QString speed = settings().focus_speed_labels()[int(settings().speed()[0])];
        QVERIFY(ui_->property(QStringLiteral("function_8"), "detail").toString().endsWith(
            qtTrId("Home_FocusSpeed") + QStringLiteral(": ") + speed));
        ui_->closePopupWith(QStringLiteral("popupCancel"));
    }

    void functionChoicesGoToTheLensAndOkKeepsThem_data() {
        QTest::addColumn<int>("control");
        QTest::addColumn<QList<int>>("chosen");
        QTest::addColumn<QString>("button");
        QTest::newRow("button, OK keeps") << 0 << QList<int>{8} << "popupOk";
        QTest::newRow("custom 1, Cancel writes back") << 1 << QList<int>{9, 5} << "popupCancel";
        QTest::newRow("custom 1, Cancel without a change") << 1 << QList<int>{} << "popupCancel";
    }

    // Each function chosen goes to the lens at once and is the one marked.
    void functionChoicesGoToTheLensAndOkKeepsThem() {
        QFETCH(int, control);
        QFETCH(QList<int>, chosen);
        QFETCH(QString, button);
        ui_->openPopup(POPUP_FUNCTION, control);
        QCOMPARE(ui_->text(QStringLiteral("popupTitle")),
                 qtTrId(control == 0 ? "Home_LabelFocusSetButton" : "Common_Custom1"));
        QByteArray expected = image();
        QVERIFY(!chosen.contains(int(expected.at(AT_BT_FUNC + control))));
        for (int f : chosen) {
            ui_->pressAndSettle(QStringLiteral("function_%1").arg(f));
            QCOMPARE(byteAt(AT_BT_FUNC + control), f);
            QStringList marked;
            for (int other : {0, 2, 4, 5, 8, 9})
                if (selected(QStringLiteral("function_%1").arg(other)))
                    marked << QString::number(other);
            QCOMPARE(marked, QStringList{QString::number(f)});
        }
        if (button == QLatin1String("popupOk") && !chosen.isEmpty())
            expected[AT_BT_FUNC + control] = char(chosen.last());
        ui_->closePopupWith(button);
        QCOMPARE(image(), expected);
        QCOMPARE(settings().bt_func()[control], int(expected.at(AT_BT_FUNC + control)));
    }

    void afLimitPageEditsTheRowAndBackRestoresIt() {
        // Switch position 2 holds the AF limit on a short press and edits AF limit row 4.
        ui_->openPopup(POPUP_FUNCTION, 2);
        QCOMPARE(ui_->shownAmong({QStringLiteral("popupOk"), QStringLiteral("popupSelect")}),
                 QStringList{QStringLiteral("popupSelect")});
        const QByteArray before = image();
        ui_->nextPopupPage();
        QVERIFY(shown(QStringLiteral("popupBack")));
        QCOMPARE(ui_->text(QStringLiteral("popupSubtitle")), vm().button_item()->functionLabel(4));

        // The near end offers the lens's near positions; the far end is fixed at infinity.
        const BasicInfoViewModel& info = *vm().basic_info();
        QVERIFY(info.specialSpecAFLimitFixedInf() & 1);
        QCOMPARE(ui_->shownAmong({QStringLiteral("afNear"), QStringLiteral("afFar"), QStringLiteral("afFarFixed")}),
                 (QStringList{QStringLiteral("afNear"), QStringLiteral("afFarFixed")}));
        QCOMPARE(ui_->property(QStringLiteral("afNear"), "count").toInt(), info.modLimitPositions().size());

        // Down picks the next nearer-than-far position; the row goes to the lens at once.
        const int oldNear = settings().aflim_pos()[4][0];
        ui_->key(QStringLiteral("afNear"), Qt::Key_Down);
        const QList<int> row = settings().aflim_pos()[4];
        QCOMPARE(row[0], oldNear + 1);
        QVERIFY(row[0] < row[1]);
        QCOMPARE(byteAt(AT_AF_LIMIT_ROW_4), quint8(row[0] + 16 * row[1]));
        QCOMPARE(ui_->property(QStringLiteral("afNear"), "currentIndex").toInt(), row[0]);

        // Another way of working goes to the lens at once.
        ui_->pressAndSettle(QStringLiteral("operation_3"));
        QCOMPARE(byteAt(AT_BT_FUNC + 2), 3);

        // Back writes the row and the function back and shows the list again.
        ui_->backPopupPage();
        QCOMPARE(image(), before);
        QVERIFY(shown(QStringLiteral("function_4")) && selected(QStringLiteral("function_4")));

        // With nothing to write back, Back leaves the highlight where it was put.
        ui_->nextPopupPage();
        vm().popup()->setSelect_bt_func_id(3);
        ui_->backPopupPage();
        QCOMPARE(image(), before);
        QCOMPARE(vm().popup()->select_bt_func_id(), 3);
        QVERIFY(shown(QStringLiteral("function_3")) && selected(QStringLiteral("function_3")));
        ui_->closePopupWith(QStringLiteral("popupCancel"));
        QCOMPARE(image(), before);
    }

    // One field per time, in seconds: typed text goes to the lens when it fits the range and
    // Return confirms it; text out of range is marked while typed and never sent; the arrow
    // keys and the buttons step by a tenth.
    void timeFieldsAreTypedOrSteppedWithinTheirRange() {
        ui_->openPopup(POPUP_FUNCTION, 3);
        const QByteArray before = image();
        ui_->pressAndSettle(QStringLiteral("function_22"));
        QCOMPARE(byteAt(AT_BT_FUNC + 3), 22);
        ui_->nextPopupPage();
        // No operation choice for a function with one way of working.
        QVERIFY(!ui_->item(QStringLiteral("operation_22")));

        const auto seconds = [](int tenths) { return QString::number(tenths / 10.0, 'f', 1); };
        // The lens's longest time: tens of seconds up to its limit; a delay up to 9.9 s.
        const struct {
            const char* field;
            int address;
            int longest;
        } times[] = {{"focusTime", AT_FOCUS_TIME + 6, qMin(9, vm().basic_info()->maxSec2()) * 100 + 99},
                     {"focusDelay", AT_FOCUS_DELAY + 6, 99}};
        for (const auto& t : times) {
            const QString field = QLatin1String(t.field);
            QCOMPARE(ui_->text(field + QStringLiteral("Range")),
                     qtTrId("ButtonSelect_TimeRange").arg(seconds(0), seconds(t.longest)));
            const int start = wordAt(t.address);
            QCOMPARE(ui_->text(field), seconds(start));

            // Typed, then confirmed: sent as tenths of a second, "," taken for the point.
            const int typed = t.longest / 2 == start ? t.longest / 2 + 1 : t.longest / 2;
            type(field, seconds(typed).replace(QLatin1Char('.'), QLatin1Char(',')));
            QCOMPARE(wordAt(t.address), start);
            QTest::keyClick(ui_->window(), Qt::Key_Return);
            ui_->settle();
            QCOMPARE(wordAt(t.address), typed);
            QCOMPARE(ui_->text(field), seconds(typed));

            // A tenth beyond the longest is marked as it is typed and put back, unsent.
            type(field, seconds(t.longest + 1));
            QVERIFY(!ui_->property(field + QStringLiteral("Field"), "fits").toBool());
            QTest::keyClick(ui_->window(), Qt::Key_Return);
            ui_->settle();
            QVERIFY(ui_->property(field + QStringLiteral("Field"), "fits").toBool());
            QCOMPARE(ui_->text(field), seconds(typed));
            QCOMPARE(wordAt(t.address), typed);

            // Stepped by a tenth, with the keys and the buttons, never past the longest.
            ui_->key(field, Qt::Key_Up);
            QCOMPARE(wordAt(t.address), typed + 1);
            ui_->pressAndSettle(field + QStringLiteral("Down"));
            ui_->pressAndSettle(field + QStringLiteral("Down"));
            QCOMPARE(wordAt(t.address), typed - 1);
            type(field, seconds(t.longest));
            QTest::keyClick(ui_->window(), Qt::Key_Return);
            ui_->settle();
            QVERIFY(!ui_->item(field + QStringLiteral("Up"))->isEnabled());
            ui_->key(field, Qt::Key_Up);
            QCOMPARE(wordAt(t.address), t.longest);
        }

        // Back restores the delay, the time and the function.
        ui_->backPopupPage();
        QCOMPARE(image(), before);
        ui_->closePopupWith(QStringLiteral("popupCancel"));
    }

    // The MF limit's two ways share one name: the list shows them under their heading, each
    // by its way, and either is chosen at once with nothing more to set.
    void mfLimitWaysFollowTheirHeading() {
        QVERIFY(WindowHarness::restart(&ui_, {.preset = mfLimitLens()}, true));
        ui_->openPopup(POPUP_FUNCTION, 1);
        const QString heading = QStringLiteral("functionGroup_ButtonSelect_MFLimit");
        const QStringList ways{QStringLiteral("function_17"), QStringLiteral("function_16")};
        QCOMPARE(ui_->shownAmong({heading, ways[0], ways[1]}), (QStringList{heading, ways[0], ways[1]}));
        QCOMPARE(ui_->text(heading), qtTrId("ButtonSelect_MFLimit"));
        QCOMPARE((QStringList{ui_->text(ways[0]), ui_->text(ways[1])}),
                 (QStringList{qtTrId("ButtonSelect_LabelClick"), qtTrId("ButtonSelect_LabelLongClick")}));
        const qreal top = sceneRect(ui_->item(heading)).bottom();
        QVERIFY(top <= sceneRect(ui_->item(ways[0])).top() &&
                sceneRect(ui_->item(ways[0])).bottom() <= sceneRect(ui_->item(ways[1])).top());
        // No other entry carries the heading's functions.
        QCOMPARE(ui_->shownNames(QStringLiteral("functionGroup_")), QStringList{heading});

        for (int f : {16, 17}) {
            ui_->pressAndSettle(QStringLiteral("function_%1").arg(f));
            QCOMPARE(byteAt(AT_BT_FUNC + 1), f);
            QCOMPARE((QList<bool>{selected(ways[0]), selected(ways[1])}), (QList<bool>{f == 17, f == 16}));
            QCOMPARE(ui_->shownAmong({QStringLiteral("popupOk"), QStringLiteral("popupSelect")}),
                     QStringList{QStringLiteral("popupOk")});
        }
        ui_->closePopupWith(QStringLiteral("popupOk"));
        QCOMPARE(byteAt(AT_BT_FUNC + 1), 17);
        QCOMPARE(vm().buttonSummaryText(1, true),
                 qtTrId("ButtonSelect_functionMFLimit") + QStringLiteral("  /  ") + qtTrId("ButtonSelect_LabelClick"));
        QVERIFY(WindowHarness::restart(&ui_, {}, true));
    }

    void ringResponseAndAngleAreSentAndCancelRestoresThem() {
        ui_->openPopup(POPUP_RESPONSE, -1);
        const QByteArray before = image();
        ui_->pressAndSettle(QStringLiteral("ringResponse1"));
        QCOMPARE(byteAt(AT_RING_RESPONSE), 1);

        // The angle slider spans exactly the lens's range; at its top no further step exists.
        const ClosedRange range = vm().basic_info()->ringAngleRange();
        QVERIFY(shown(QStringLiteral("ringAngle")));
        QCOMPARE(ui_->property(QStringLiteral("ringAngle"), "from").toDouble(), range.lower);
        QCOMPARE(ui_->property(QStringLiteral("ringAngle"), "to").toDouble(), range.upper);
        while (settings().ring_angle() < range.upper) {
            const int step = signedAt(AT_RING_ANGLE);
            ui_->pressAndSettle(QStringLiteral("ringAngleUp"));
            QCOMPARE(signedAt(AT_RING_ANGLE), step + 1);
        }
        QVERIFY(!ui_->item(QStringLiteral("ringAngleUp"))->isEnabled());
        QCOMPARE(signedAt(AT_RING_ANGLE), int(range.upper));
        QCOMPARE(ui_->text(QStringLiteral("ringAngleText")),
                 QString::number(int(range.upper + 1) * 90) + QStringLiteral("\u00b0"));
        ui_->closePopupWith(QStringLiteral("popupCancel"));
        QCOMPARE(image(), before);
        QCOMPARE(settings().ring_response(), int(before.at(AT_RING_RESPONSE)));

        // The angle belongs to the linear response: with the other one it cannot be changed.
        ui_->openPopup(POPUP_RESPONSE, -1);
        if (settings().ring_response() != 0)
            ui_->pressAndSettle(QStringLiteral("ringResponse0"));
        QVERIFY(!ui_->item(QStringLiteral("ringAngle"))->isEnabled());
        ui_->closePopupWith(QStringLiteral("popupOk"));
        QCOMPARE(byteAt(AT_RING_RESPONSE), 0);
    }

    void adjustmentStaysInRangeAndCancelRestoresIt() {
        ui_->openPopup(POPUP_ADJUSTMENT, -1);
        const ClosedRange range = vm().basic_info()->pintoRange();
        QCOMPARE(ui_->property(QStringLiteral("pintoValue"), "from").toDouble(), range.lower);
        QCOMPARE(ui_->property(QStringLiteral("pintoValue"), "to").toDouble(), range.upper);
        const int before = signedAt(AT_PINTO);
        ui_->pressAndSettle(QStringLiteral("pintoValueDown"));
        QCOMPARE(signedAt(AT_PINTO), before - 1);
        ui_->closePopupWith(QStringLiteral("popupOk"));
        QCOMPARE(signedAt(AT_PINTO), before - 1);

        // Down to the lens's lowest value, where the step stops; Cancel goes back to the start.
        ui_->openPopup(POPUP_ADJUSTMENT, -1);
        while (settings().pinto() > range.lower)
            ui_->pressAndSettle(QStringLiteral("pintoValueDown"));
        QCOMPARE(signedAt(AT_PINTO), int(range.lower));
        QVERIFY(!ui_->item(QStringLiteral("pintoValueDown"))->isEnabled());
        ui_->key(QStringLiteral("pintoValue"), Qt::Key_Left);
        QCOMPARE(signedAt(AT_PINTO), int(range.lower));
        ui_->closePopupWith(QStringLiteral("popupCancel"));
        QCOMPARE(signedAt(AT_PINTO), before - 1);
        QCOMPARE(settings().pinto(), double(before - 1));
    }

    // A click or Space on a choice sends it; OK or Return keeps it, Escape writes it back; Tab
    // stays inside the popup.
    void ringDirectionByMouseAndKeyboard() {
        QQuickWindow* window = ui_->window();
        ui_->openPopup(POPUP_DIRECTION, -1);
        const int clicked = 1 - byteAt(AT_DIRECTION);
        ui_->pressAndSettle(otherDirection());
        QCOMPARE(byteAt(AT_DIRECTION), clicked);
        QVERIFY(selected(QStringLiteral("ringDirection%1").arg(clicked)));
        ui_->closePopupWith(QStringLiteral("popupOk"));
        QCOMPARE(byteAt(AT_DIRECTION), clicked);
        QCOMPARE(settings().direction(), clicked);

        ui_->openPopup(POPUP_DIRECTION, -1);
        const int before = byteAt(AT_DIRECTION);
        ui_->key(otherDirection(), Qt::Key_Space);
        QCOMPARE(byteAt(AT_DIRECTION), 1 - before);
        QTest::keyClick(window, Qt::Key_Escape);
        QTRY_VERIFY(!vm().popup()->show_popup());
        ui_->settle();
        QCOMPARE(byteAt(AT_DIRECTION), before);

        // Tab goes round the popup's own controls only; Enter confirms.
        ui_->openPopup(POPUP_DIRECTION, -1);
        QQuickItem* frame = ui_->item(QStringLiteral("popupFrame"));
        QStringList visited;
        for (int i = 0; i < 6; ++i) {
            QTest::keyClick(window, Qt::Key_Tab);
            QQuickItem* focused = window->activeFocusItem();
            QVERIFY(focused);
            QVERIFY2(frame->isAncestorOf(focused), qPrintable(focused->objectName()));
            visited.append(focused->objectName());
        }
        const QStringList round{QStringLiteral("ringDirection0"), QStringLiteral("ringDirection1"),
                                QStringLiteral("popupCancel"), QStringLiteral("popupOk")};
        QCOMPARE(visited, round + round.mid(0, 2));
        ui_->key(otherDirection(), Qt::Key_Space);
        QTest::keyClick(window, Qt::Key_Return);
        QTRY_VERIFY(!vm().popup()->show_popup());
        QCOMPARE(byteAt(AT_DIRECTION), 1 - before);
    }

    // While a write is under way the popup cannot be touched; afterwards the keyboard focus
    // returns to the control that sent it, unless another control took it as the lock lifted.
    void focusComesBackAfterAWriteUnlessMovedMeanwhile() {
        QQuickWindow* window = ui_->window();
        ui_->openPopup(POPUP_DIRECTION, -1);
        const int before = byteAt(AT_DIRECTION);
        const QString sender = otherDirection();
        ui_->key(sender, Qt::Key_Space);
        QCOMPARE(byteAt(AT_DIRECTION), 1 - before);
        QTRY_COMPARE(window->activeFocusItem(), ui_->item(sender));

        QQuickItem* back = ui_->item(otherDirection());
        QQuickItem* chosen = ui_->item(QStringLiteral("popupCancel"));
        QVERIFY(chosen);
        back->forceActiveFocus(Qt::TabFocusReason);
        QTRY_VERIFY(back->hasActiveFocus());
        // The moment the lock lifts, before anything queued by the popup has run.
        const auto moved = QObject::connect(&vm(), &AppViewModel::lockChanged, chosen, [this, chosen] {
            if (!vm().lock())
                chosen->forceActiveFocus(Qt::TabFocusReason);
        });
        QTest::keyClick(window, Qt::Key_Space);
        QTRY_VERIFY(!vm().lock());
        QObject::disconnect(moved);
        QCOMPARE(byteAt(AT_DIRECTION), before);
        QTest::qWait(50);
        ui_->waitForFrame();
        QCOMPARE(window->activeFocusItem(), chosen);
    }

    void refusedWritesAreReportedAndUndone_data() {
        QTest::addColumn<int>("popup");
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("address");
        QTest::newRow("function") << POPUP_FUNCTION << QStringLiteral("function_0") << AT_BT_FUNC;
        // %1: the choice the lens does not hold.
        QTest::newRow("direction") << POPUP_DIRECTION << QStringLiteral("ringDirection%1") << AT_DIRECTION;
        QTest::newRow("response") << POPUP_RESPONSE << QStringLiteral("ringResponse%1") << AT_RING_RESPONSE;
        QTest::newRow("adjustment") << POPUP_ADJUSTMENT << QStringLiteral("pintoValueUp") << AT_PINTO;
    }

    void refusedWritesAreReportedAndUndone() {
        QFETCH(int, popup);
        QFETCH(QString, action);
        QFETCH(int, address);
        ui_->openPopup(popup, popup == POPUP_FUNCTION ? 0 : -1);
        const QByteArray before = image();
        const quint8 held = byteAt(address);
        if (action.contains(QLatin1String("%1")))
            action = action.arg(held == 1 ? 0 : 1);
        QVERIFY2(!selected(action), "the test needs a change");
        // What the popup shows for the lens's value.
        const auto shownValue = [&]() -> QList<double> {
            switch (popup) {
            case POPUP_FUNCTION: return {double(settings().bt_func()[0]), double(vm().popup()->select_bt_func_id())};
            case POPUP_DIRECTION: return {double(settings().direction())};
            case POPUP_RESPONSE: return {double(settings().ring_response())};
            default: return {settings().pinto()};
            }
        };
        const QList<double> shownBefore = shownValue();

        ui_->lens().setRefusal(REFUSED, 1, WRITE);
        ui_->press(action);
        QTRY_VERIFY(shown(QStringLiteral("messageBox")));
        QCOMPARE(ui_->text(QStringLiteral("messageText")), qtTrId("Common_LensError"));
        // Until the message is answered nothing in the popup can be touched.
        QVERIFY(!ui_->item(QStringLiteral("popupFrame"))->isEnabled());
        ui_->press(QStringLiteral("messageOk"));
        ui_->settle();
        QVERIFY(!shown(QStringLiteral("messageBox")));

        // The lens kept its value, the popup shows it again and stays open.
        QCOMPARE(image(), before);
        QVERIFY(shown(QStringLiteral("popupFrame")));
        QVERIFY(!selected(action));
        QCOMPARE(shownValue(), shownBefore);
        ui_->closePopupWith(QStringLiteral("popupCancel"));
        QCOMPARE(image(), before);
    }

    void picturesOfEveryPopup_data() { WindowHarness::addPictureRows(); }

    // The smallest window the program allows, so that every popup's card and the named
    // controls have to fit it. The lens also offers the MF limit.
    void picturesOfEveryPopup() {
        QFETCH(QLocale::Language, language);
        QFETCH(bool, dark);
        QVERIFY(WindowHarness::restart(&ui_, {.preset = mfLimitLens(), .language = language, .dark = dark}, true));
        QVERIFY(ui_->toSmallest());
        const struct {
            int popup;
            int control;
            const char* choose;     // pressed first, or empty
            bool nextPage;
            const char* typed;      // typed into the drive time and left unconfirmed, or empty
            const char* picture;
            const char* fits;
        } popups[] = {
            {POPUP_FUNCTION, 0, "", false, "", "popup-function-list", "popupOk"},
            {POPUP_FUNCTION, 1, "function_16", false, "", "popup-function-mflimit", "function_16"},
            {POPUP_FUNCTION, 2, "", true, "", "popup-function-aflimit", "popupBack"},
            {POPUP_FUNCTION, 3, "function_22", true, "", "popup-function-time", "popupOk"},
            {POPUP_FUNCTION, 3, "", true, "123", "popup-function-timeOutOfRange", "focusTimeRange"},
            {POPUP_DIRECTION, -1, "", false, "", "popup-ring-direction", "popupOk"},
            {POPUP_RESPONSE, -1, "ringResponse1", false, "", "popup-ring-response", "ringAngleUp"},
            {POPUP_ADJUSTMENT, -1, "", false, "", "popup-adjustment", "pintoValueUp"},
        };
        const QRectF window(QPointF(), ui_->window()->size());
        for (const auto& p : popups) {
            ui_->openPopup(p.popup, p.control);
            if (*p.choose)
                ui_->pressAndSettle(QLatin1String(p.choose));
            if (p.nextPage)
                ui_->nextPopupPage();
            if (*p.typed) {
                type(QStringLiteral("focusTime"), QLatin1String(p.typed));
                QVERIFY(!ui_->property(QStringLiteral("focusTimeField"), "fits").toBool());
                ui_->waitForFrame();
            }
            for (const char* name : {"popupFrame", p.fits}) {
                QQuickItem* part = ui_->item(QLatin1String(name));
                QVERIFY2(part && window.contains(sceneRect(part)), name);
            }
            ui_->picture(QLatin1String(p.picture));
            // OK keeps what was chosen for the next popups' pictures, as a user would.
            ui_->closePopupWith(QStringLiteral("popupOk"));
            QVERIFY(!QTest::currentTestFailed());
        }
    }

  private:
    bool shown(const QString& name) const { return ui_->shown(name); }
    bool selected(const QString& name) const { return ui_->property(name, "selected").toBool(); }
    AppViewModel& vm() const { return ui_->vm(); }
    LensSettingViewModel& settings() const { return *vm().lens_setting(); }
    QByteArray image() const { return ui_->lens().settingsImage(); }
    quint8 byteAt(int address) const { return quint8(image().at(address)); }
    qint8 signedAt(int address) const { return qint8(image().at(address)); }
    int wordAt(int address) const { return byteAt(address) | (byteAt(address + 1) << 8); }
    // The ring direction choice the lens does not hold.
    QString otherDirection() const {
        return QStringLiteral("ringDirection%1").arg(byteAt(AT_DIRECTION) == 1 ? 0 : 1);
    }

    // Types the text over the field's whole text, unconfirmed.
    void type(const QString& field, const QString& text) {
        QQuickItem* input = ui_->item(field);
        input->forceActiveFocus(Qt::TabFocusReason);
        QVERIFY(QMetaObject::invokeMethod(input, "selectAll"));
        for (const QChar c : text)
            QTest::keyClick(ui_->window(), c.toLatin1());
    }
    // The zoom lens with the MF limit among its functions.
    QString mfLimitLens() const {
        return WindowHarness::writeProfile(
            userFiles_.path(), QStringLiteral("zoom-e"),
            {{QStringLiteral("buttonFunctions"),
              QJsonArray{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 12, 13, 14, 15, 16, 17, 22, 23}}});
    }

    QTemporaryDir userFiles_;
    std::unique_ptr<WindowHarness> ui_;
};

QTEST_MAIN(PopupsTest)
#include "tst_popups.moc"
