// The popups in which one lens setting is changed, driven through the window against the
// virtual lens: what each offers, that a change reaches the lens at once, that OK keeps
// it and Cancel (or Back) writes the lens's old bytes back, that a refused write is
// reported and undone, that no control leaves the lens's range, and a picture of every
// popup page in English and Japanese.
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
    void initTestCase();
    void init();
    void cleanup();

    void functionListOffersWhatTheLensSupports();
    void choosingAFunctionSendsItAndOkKeepsIt();
    void cancelOnTheListWritesTheFunctionBackAndCloses();
    void afLimitPageEditsTheRowAndBackRestoresIt();
    void timePageKeepsDigitsWithinTheLensLimits();
    void ringDirectionIsSentAndCancelRestoresIt();
    void ringResponseAndAngleAreSentAndCancelRestoresThem();
    void adjustmentStaysInRangeAndCancelRestoresIt();
    void keyboardConfirmsCancelsAndStaysInsideThePopup();
    void focusComesBackAfterAWriteUnlessMovedMeanwhile();
    void refusedWritesAreReportedAndUndone_data();
    void refusedWritesAreReportedAndUndone();

    void picturesOfEveryPopup_data();
    void picturesOfEveryPopup();

  private:
    QQuickItem* item(const QString& name) const { return ui_->item(name); }
    // The harness counts a missing item as shown.
    bool shown(const QString& name) const { return item(name) && ui_->shown(name); }
    AppViewModel& vm() const { return ui_->vm(); }
    LensSettingViewModel& settings() const { return *vm().lens_setting(); }
    QByteArray image() const { return ui_->lens().settingsImage(); }
    quint8 byteAt(int address) const { return quint8(image().at(address)); }
    qint8 signedAt(int address) const { return qint8(image().at(address)); }
    int wordAt(int address) const { return byteAt(address) | (byteAt(address + 1) << 8); }

    bool startLens(QLocale::Language language);
    void open(int popup, int control);
    void fitsTheWindow(const QString& name);

    QTemporaryDir userFiles_;
    std::unique_ptr<WindowHarness> ui_;
};

bool PopupsTest::startLens(QLocale::Language language) {
    ui_.reset();
    ui_ = std::make_unique<WindowHarness>();
    return ui_->startConnected({QString(), language, false});
}

void PopupsTest::open(int popup, int control) {
    vm().popup()->openPopup(popup, control);
    QTRY_VERIFY(shown(QStringLiteral("popupFrame")));
    ui_->waitForFrame();
}

// The popup's card and its buttons lie inside the window.
void PopupsTest::fitsTheWindow(const QString& name) {
    const QRectF window(QPointF(), ui_->window()->size());
    QQuickItem* target = item(name);
    QVERIFY2(target, qPrintable(name));
    QVERIFY2(window.contains(sceneRect(target)),
             qPrintable(name + QStringLiteral(" leaves the window")));
}

void PopupsTest::initTestCase() {
    QVERIFY(userFiles_.isValid());
    WindowHarness::isolateUserFiles(userFiles_.path());
    QVERIFY(startLens(QLocale::English));
}

void PopupsTest::init() {
    // A warning from the pages is a defect of the pages.
    QTest::failOnWarning(QRegularExpression(QStringLiteral(
        "qrc:/Kelvara/LensUtility/(PopupHost|PopupFrame|PopupButton|FunctionPopup|FunctionListPage|"
        "FunctionParameterPage|ButtonFunctions|AfLimitRange|TimeDigits|RingDirectionPopup|"
        "RingResponsePopup|AdjustmentPopup|ChoiceTile|ValueStepper|SectionHeading|"
        "ExplanationText|Icon)\\.qml")));
}

void PopupsTest::cleanup() {
    if (vm().popup()->show_popup())
        vm().popup()->setShow_popup(false);
    ui_->lens().clearFaults();
    QTRY_VERIFY(!vm().message()->show_message());
    QTRY_VERIFY(!vm().lock());
}

void PopupsTest::functionListOffersWhatTheLensSupports() {
    open(POPUP_FUNCTION, 0);
    const ButtonItemModel& functions = *vm().button_item();
    QCOMPARE(item(QStringLiteral("popupTitle"))->property("text").toString(),
             qtTrId("Home_LabelFocusSetButton"));
    // One entry per function; the ways of working one (short or long press, ...) are
    // chosen on the next page, so a family appears once under its first supported member.
    const QList<int> listed{0, 2, 4, 5, 8, 9, 13, 15, 22, 23};
    for (int f = 0; f <= 25; ++f) {
        const QString name = QStringLiteral("function_%1").arg(f);
        QVERIFY2(shown(name) == listed.contains(f), qPrintable(name));
        if (listed.contains(f)) {
            QVERIFY(functions.isFunctionSelectable(f));
            QCOMPARE(item(name)->property("text").toString(), functions.functionLabel(f));
            QVERIFY(item(name)->property("detail").toString().startsWith(
                functions.functionExplanation(f)));
        }
    }
    // The button holds focus hold (5); only that entry is marked.
    QCOMPARE(settings().bt_func()[0], 5);
    for (int f : listed)
        QCOMPARE(item(QStringLiteral("function_%1").arg(f))->property("selected").toBool(), f == 5);
    // Focus hold has nothing to set: the list ends with OK.
    QVERIFY(shown(QStringLiteral("popupOk")));
    QVERIFY(!shown(QStringLiteral("popupSelect")));
    // The preset functions carry the lens's focus speed.
    const QString speed = settings().focus_speed_labels()[int(settings().speed()[0])];
    QVERIFY(item(QStringLiteral("function_8"))->property("detail").toString().endsWith(
        qtTrId("Home_FocusSpeed") + QStringLiteral(": ") + speed));
    ui_->closePopupWith(QStringLiteral("popupCancel"));
}

void PopupsTest::choosingAFunctionSendsItAndOkKeepsIt() {
    open(POPUP_FUNCTION, 0);
    const int before = byteAt(AT_BT_FUNC);
    const int chosen = before == 8 ? 9 : 8;
    ui_->pressAndSettle(QStringLiteral("function_%1").arg(chosen));
    QCOMPARE(byteAt(AT_BT_FUNC), chosen);
    QCOMPARE(vm().popup()->select_bt_func_id(), chosen);
    QVERIFY(item(QStringLiteral("function_%1").arg(chosen))->property("selected").toBool());
    QVERIFY(!item(QStringLiteral("function_%1").arg(before))->property("selected").toBool());
    ui_->closePopupWith(QStringLiteral("popupOk"));
    QCOMPARE(byteAt(AT_BT_FUNC), chosen);
    QCOMPARE(settings().bt_func()[0], chosen);
}

void PopupsTest::cancelOnTheListWritesTheFunctionBackAndCloses() {
    open(POPUP_FUNCTION, 1);
    QCOMPARE(item(QStringLiteral("popupTitle"))->property("text").toString(),
             qtTrId("Common_Custom1"));
    const QByteArray before = image();
    ui_->pressAndSettle(QStringLiteral("function_9"));
    QCOMPARE(byteAt(AT_BT_FUNC + 1), 9);
    ui_->pressAndSettle(QStringLiteral("function_5"));
    QCOMPARE(byteAt(AT_BT_FUNC + 1), 5);
    ui_->closePopupWith(QStringLiteral("popupCancel"));
    QCOMPARE(image(), before);
    QCOMPARE(settings().bt_func()[1], int(before.at(AT_BT_FUNC + 1)));

    // Cancelling without a change writes nothing and closes as well.
    open(POPUP_FUNCTION, 1);
    ui_->closePopupWith(QStringLiteral("popupCancel"));
    QCOMPARE(image(), before);
}

void PopupsTest::afLimitPageEditsTheRowAndBackRestoresIt() {
    // Switch position 2 holds the AF limit on a short press and edits AF limit row 4.
    open(POPUP_FUNCTION, 2);
    QCOMPARE(settings().bt_func()[2], 4);
    QVERIFY(shown(QStringLiteral("popupSelect")));
    QVERIFY(!shown(QStringLiteral("popupOk")));
    const QByteArray before = image();
    ui_->press(QStringLiteral("popupSelect"));
    QTRY_COMPARE(vm().popup()->page_index(), 1);
    QVERIFY(shown(QStringLiteral("popupBack")));
    QCOMPARE(item(QStringLiteral("popupSubtitle"))->property("text").toString(),
             vm().button_item()->functionLabel(4));

    // The near end offers the lens's near positions; the far end is fixed at infinity.
    const BasicInfoViewModel& info = *vm().basic_info();
    QVERIFY(info.specialSpecAFLimitFixedInf() & 1);
    QQuickItem* nearEnd = item(QStringLiteral("afNear"));
    QVERIFY(shown(QStringLiteral("afNear")));
    QCOMPARE(nearEnd->property("count").toInt(), info.modLimitPositions().size());
    QVERIFY(!shown(QStringLiteral("afFar")));
    QVERIFY(shown(QStringLiteral("afFarFixed")));

    // Down picks the next nearer-than-far position; the row goes to the lens at once.
    const int oldNear = settings().aflim_pos()[4][0];
    ui_->key(QStringLiteral("afNear"), Qt::Key_Down);
    const QList<int> row = settings().aflim_pos()[4];
    QCOMPARE(row[0], oldNear + 1);
    QVERIFY(row[0] < row[1]);
    QCOMPARE(byteAt(AT_AF_LIMIT_ROW_4), quint8(row[0] + 16 * row[1]));
    QCOMPARE(nearEnd->property("currentIndex").toInt(), row[0]);

    // Every AF limit variant the lens supports is offered; choosing one sends it.
    for (int f : {4, 3, 6, 7})
        QVERIFY2(shown(QStringLiteral("operation_%1").arg(f)), qPrintable(QString::number(f)));
    QVERIFY(item(QStringLiteral("operation_4"))->property("selected").toBool());
    QCOMPARE(item(QStringLiteral("operation_3"))->property("text").toString(),
             vm().button_item()->afLimitLongClickLabel(3));
    ui_->pressAndSettle(QStringLiteral("operation_3"));
    QCOMPARE(byteAt(AT_BT_FUNC + 2), 3);
    QVERIFY(item(QStringLiteral("operation_3"))->property("selected").toBool());

    // Back writes the row and the function back and shows the list again.
    ui_->press(QStringLiteral("popupBack"));
    QTRY_COMPARE(vm().popup()->page_index(), 0);
    QTRY_VERIFY(!vm().lock());
    QCOMPARE(image(), before);
    QVERIFY(shown(QStringLiteral("function_4")));
    QVERIFY(item(QStringLiteral("function_4"))->property("selected").toBool());
    ui_->closePopupWith(QStringLiteral("popupCancel"));
    QCOMPARE(image(), before);
}

void PopupsTest::timePageKeepsDigitsWithinTheLensLimits() {
    open(POPUP_FUNCTION, 3);
    const QByteArray before = image();
    ui_->pressAndSettle(QStringLiteral("function_22"));
    QCOMPARE(byteAt(AT_BT_FUNC + 3), 22);
    ui_->press(QStringLiteral("popupSelect"));
    QTRY_COMPARE(vm().popup()->page_index(), 1);

    // Tens of seconds up to the lens's longest time, the other digits 0 to 9.
    const int maxSec2 = vm().basic_info()->maxSec2();
    QCOMPARE(item(QStringLiteral("focusSec2"))->property("to").toInt(), qMin(9, maxSec2));
    for (const char* digit : {"focusSec2", "focusSec1", "focusSec0", "focusDelay1", "focusDelay0"})
        QCOMPARE(item(QLatin1String(digit))->property("from").toInt(), 0);
    QCOMPARE(item(QStringLiteral("focusSec0"))->property("to").toInt(), 9);
    QCOMPARE(item(QStringLiteral("focusDelay1"))->property("to").toInt(), 9);

    // A digit step sends the whole time of the slot, in tenths of a second.
    const int time = wordAt(AT_FOCUS_TIME + 6);
    const bool tenthsAtTop = settings().focusSec0()[3] == 9;
    ui_->key(QStringLiteral("focusSec0"), tenthsAtTop ? Qt::Key_Down : Qt::Key_Up);
    QCOMPARE(wordAt(AT_FOCUS_TIME + 6), time + (tenthsAtTop ? -1 : 1));
    // The delay is there because the lens has delay settings.
    QVERIFY(vm().basic_info()->isSettingSupported(10));
    const int delay = wordAt(AT_FOCUS_DELAY + 6);
    const bool delayAtTop = settings().focusDelay1()[3] == 9;
    ui_->key(QStringLiteral("focusDelay1"), delayAtTop ? Qt::Key_Down : Qt::Key_Up);
    QCOMPARE(wordAt(AT_FOCUS_DELAY + 6), delay + (delayAtTop ? -10 : 10));

    // No operation choice for a function with one way of working.
    QVERIFY(!item(QStringLiteral("operation_22")));

    // Back restores the delay, the time and the function; Cancel then closes.
    ui_->press(QStringLiteral("popupBack"));
    QTRY_COMPARE(vm().popup()->page_index(), 0);
    QTRY_VERIFY(!vm().lock());
    QCOMPARE(image(), before);
    ui_->closePopupWith(QStringLiteral("popupCancel"));
}

void PopupsTest::ringDirectionIsSentAndCancelRestoresIt() {
    open(POPUP_DIRECTION, -1);
    QCOMPARE(item(QStringLiteral("popupTitle"))->property("text").toString(),
             qtTrId("Home_RingDirectionSetting"));
    const int before = byteAt(AT_DIRECTION);
    const int other = before == 1 ? 0 : 1;
    const QString choice = QStringLiteral("ringDirection%1").arg(other);
    ui_->pressAndSettle(choice);
    QCOMPARE(byteAt(AT_DIRECTION), other);
    QVERIFY(item(choice)->property("selected").toBool());
    ui_->closePopupWith(QStringLiteral("popupOk"));
    QCOMPARE(byteAt(AT_DIRECTION), other);

    open(POPUP_DIRECTION, -1);
    ui_->pressAndSettle(QStringLiteral("ringDirection%1").arg(before == 1 ? 1 : 0));
    QCOMPARE(byteAt(AT_DIRECTION), before == 1 ? 1 : 0);
    ui_->closePopupWith(QStringLiteral("popupCancel"));
    QCOMPARE(byteAt(AT_DIRECTION), other);
    QCOMPARE(settings().direction(), other);
}

void PopupsTest::ringResponseAndAngleAreSentAndCancelRestoresThem() {
    open(POPUP_RESPONSE, -1);
    const QByteArray before = image();
    ui_->pressAndSettle(QStringLiteral("ringResponse1"));
    QCOMPARE(byteAt(AT_RING_RESPONSE), 1);

    // The angle slider spans exactly the lens's range; at its top no further step exists.
    const ClosedRange range = vm().basic_info()->ringAngleRange();
    QQuickItem* angle = item(QStringLiteral("ringAngle"));
    QVERIFY(shown(QStringLiteral("ringAngle")));
    QCOMPARE(angle->property("from").toDouble(), range.lower);
    QCOMPARE(angle->property("to").toDouble(), range.upper);
    while (settings().ring_angle() < range.upper) {
        const int step = signedAt(AT_RING_ANGLE);
        ui_->pressAndSettle(QStringLiteral("ringAngleUp"));
        QCOMPARE(signedAt(AT_RING_ANGLE), step + 1);
    }
    QVERIFY(!item(QStringLiteral("ringAngleUp"))->isEnabled());
    QCOMPARE(signedAt(AT_RING_ANGLE), int(range.upper));
    QCOMPARE(item(QStringLiteral("ringAngleText"))->property("text").toString(),
             QString::number(int(range.upper + 1) * 90) + QStringLiteral("\u00b0"));

    ui_->closePopupWith(QStringLiteral("popupCancel"));
    QCOMPARE(image(), before);
    QCOMPARE(settings().ring_response(), int(before.at(AT_RING_RESPONSE)));

    // The angle belongs to the linear response: with the other one it cannot be changed.
    open(POPUP_RESPONSE, -1);
    if (settings().ring_response() != 0)
        ui_->pressAndSettle(QStringLiteral("ringResponse0"));
    QVERIFY(!item(QStringLiteral("ringAngle"))->isEnabled());
    ui_->closePopupWith(QStringLiteral("popupOk"));
    QCOMPARE(byteAt(AT_RING_RESPONSE), 0);
}

void PopupsTest::adjustmentStaysInRangeAndCancelRestoresIt() {
    open(POPUP_ADJUSTMENT, -1);
    const ClosedRange range = vm().basic_info()->pintoRange();
    QQuickItem* value = item(QStringLiteral("pintoValue"));
    QCOMPARE(value->property("from").toDouble(), range.lower);
    QCOMPARE(value->property("to").toDouble(), range.upper);

    const int before = signedAt(AT_PINTO);
    ui_->pressAndSettle(QStringLiteral("pintoValueDown"));
    QCOMPARE(signedAt(AT_PINTO), before - 1);
    ui_->closePopupWith(QStringLiteral("popupOk"));
    QCOMPARE(signedAt(AT_PINTO), before - 1);

    // Down to the lens's lowest value, where the step stops; Cancel goes back to the start.
    open(POPUP_ADJUSTMENT, -1);
    while (settings().pinto() > range.lower)
        ui_->pressAndSettle(QStringLiteral("pintoValueDown"));
    QCOMPARE(signedAt(AT_PINTO), int(range.lower));
    QVERIFY(!item(QStringLiteral("pintoValueDown"))->isEnabled());
    ui_->key(QStringLiteral("pintoValue"), Qt::Key_Left);
    QCOMPARE(signedAt(AT_PINTO), int(range.lower));
    ui_->closePopupWith(QStringLiteral("popupCancel"));
    QCOMPARE(signedAt(AT_PINTO), before - 1);
    QCOMPARE(settings().pinto(), double(before - 1));
}

void PopupsTest::keyboardConfirmsCancelsAndStaysInsideThePopup() {
    QQuickWindow* window = ui_->window();
    open(POPUP_DIRECTION, -1);
    const int before = byteAt(AT_DIRECTION);
    const int other = before == 1 ? 0 : 1;
    // Space on a choice chooses it; Escape cancels.
    ui_->key(QStringLiteral("ringDirection%1").arg(other), Qt::Key_Space);
    QCOMPARE(byteAt(AT_DIRECTION), other);
    QTest::keyClick(window, Qt::Key_Escape);
    QTRY_VERIFY(!vm().popup()->show_popup());
    QTRY_VERIFY(!vm().lock());
    QCOMPARE(byteAt(AT_DIRECTION), before);

    // Tab goes round the popup's own controls only; Enter confirms.
    open(POPUP_DIRECTION, -1);
    QQuickItem* frame = item(QStringLiteral("popupFrame"));
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
    QCOMPARE(visited.mid(0, 4), round);
    QCOMPARE(visited.mid(4, 2), round.mid(0, 2));
    ui_->key(QStringLiteral("ringDirection%1").arg(other), Qt::Key_Space);
    QTest::keyClick(window, Qt::Key_Return);
    QTRY_VERIFY(!vm().popup()->show_popup());
    QCOMPARE(byteAt(AT_DIRECTION), other);
}

// While a write is under way the popup cannot be touched; afterwards the keyboard focus
// returns to the control that sent it, unless another control took it as the lock lifted.
void PopupsTest::focusComesBackAfterAWriteUnlessMovedMeanwhile() {
    QQuickWindow* window = ui_->window();
    open(POPUP_DIRECTION, -1);
    const int before = byteAt(AT_DIRECTION);
    const int other = before == 1 ? 0 : 1;
    const QString sender = QStringLiteral("ringDirection%1").arg(other);
    ui_->key(sender, Qt::Key_Space);
    QCOMPARE(byteAt(AT_DIRECTION), other);
    QTRY_COMPARE(window->activeFocusItem(), item(sender));

    const QString back = QStringLiteral("ringDirection%1").arg(before);
    QQuickItem* chosen = item(QStringLiteral("popupCancel"));
    QVERIFY(chosen);
    item(back)->forceActiveFocus(Qt::TabFocusReason);
    QTRY_VERIFY(item(back)->hasActiveFocus());
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

void PopupsTest::refusedWritesAreReportedAndUndone_data() {
    QTest::addColumn<int>("popup");
    QTest::addColumn<int>("control");
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("address");
    QTest::newRow("function") << POPUP_FUNCTION << 0 << QStringLiteral("function_0") << AT_BT_FUNC;
    // %1: the choice the lens does not hold.
    QTest::newRow("direction") << POPUP_DIRECTION << -1 << QStringLiteral("ringDirection%1")
                               << AT_DIRECTION;
    QTest::newRow("response") << POPUP_RESPONSE << -1 << QStringLiteral("ringResponse%1")
                              << AT_RING_RESPONSE;
    QTest::newRow("adjustment") << POPUP_ADJUSTMENT << -1 << QStringLiteral("pintoValueUp") << AT_PINTO;
}

void PopupsTest::refusedWritesAreReportedAndUndone() {
    QFETCH(int, popup);
    QFETCH(int, control);
    QFETCH(QString, action);
    QFETCH(int, address);
    open(popup, control);
    const QByteArray before = image();
    const quint8 shownValue = byteAt(address);
    if (action.contains(QLatin1String("%1")))
        action = action.arg(shownValue == 1 ? 0 : 1);
    QVERIFY2(!item(action)->property("selected").toBool(), "the test needs a change");

    ui_->lens().setRefusal(REFUSED, 1, WRITE);
    ui_->press(action);
    QTRY_VERIFY(shown(QStringLiteral("messageBox")));
    QCOMPARE(item(QStringLiteral("messageText"))->property("text").toString(),
             qtTrId("Common_LensError"));
    // Until the message is answered nothing in the popup can be touched.
    QVERIFY(!item(QStringLiteral("popupFrame"))->isEnabled());
    ui_->press(QStringLiteral("messageOk"));
    QTRY_VERIFY(!vm().lock());
    QVERIFY(!shown(QStringLiteral("messageBox")));

    // The lens kept its value, the popup shows it again and stays open.
    QCOMPARE(image(), before);
    QVERIFY(shown(QStringLiteral("popupFrame")));
    QVERIFY(!item(action)->property("selected").toBool());
    switch (popup) {
    case POPUP_FUNCTION:
        QCOMPARE(settings().bt_func()[control], int(shownValue));
        QCOMPARE(vm().popup()->select_bt_func_id(), int(shownValue));
        break;
    case POPUP_DIRECTION: QCOMPARE(settings().direction(), int(shownValue)); break;
    case POPUP_RESPONSE: QCOMPARE(settings().ring_response(), int(shownValue)); break;
    default: QCOMPARE(settings().pinto(), double(qint8(shownValue))); break;
    }
    ui_->closePopupWith(QStringLiteral("popupCancel"));
    QCOMPARE(image(), before);
}

void PopupsTest::picturesOfEveryPopup_data() {
    QTest::addColumn<int>("language");
    QTest::newRow("en") << int(QLocale::English);
    QTest::newRow("ja") << int(QLocale::Japanese);
}

// The smallest window the program allows, so that every popup has to fit it.
void PopupsTest::picturesOfEveryPopup() {
    QFETCH(int, language);
    QVERIFY(startLens(QLocale::Language(language)));
    QVERIFY(ui_->toSmallest());
    const auto take = [this](const QString& name) {
        fitsTheWindow(QStringLiteral("popupFrame"));
        ui_->picture(name);
    };

    open(POPUP_FUNCTION, 0);
    take(QStringLiteral("popup-function-list"));
    fitsTheWindow(QStringLiteral("popupOk"));
    ui_->closePopupWith(QStringLiteral("popupCancel"));

    open(POPUP_FUNCTION, 2);
    ui_->press(QStringLiteral("popupSelect"));
    QTRY_VERIFY(shown(QStringLiteral("afNear")));
    take(QStringLiteral("popup-function-aflimit"));
    fitsTheWindow(QStringLiteral("popupBack"));
    ui_->closePopupWith(QStringLiteral("popupOk"));

    open(POPUP_FUNCTION, 3);
    ui_->pressAndSettle(QStringLiteral("function_22"));
    ui_->press(QStringLiteral("popupSelect"));
    QTRY_VERIFY(shown(QStringLiteral("focusSec0")));
    take(QStringLiteral("popup-function-time"));
    fitsTheWindow(QStringLiteral("popupOk"));
    ui_->closePopupWith(QStringLiteral("popupOk"));

    open(POPUP_DIRECTION, -1);
    take(QStringLiteral("popup-ring-direction"));
    ui_->closePopupWith(QStringLiteral("popupOk"));

    open(POPUP_RESPONSE, -1);
    ui_->pressAndSettle(QStringLiteral("ringResponse1"));
    take(QStringLiteral("popup-ring-response"));
    fitsTheWindow(QStringLiteral("ringAngleUp"));
    ui_->closePopupWith(QStringLiteral("popupOk"));

    open(POPUP_ADJUSTMENT, -1);
    take(QStringLiteral("popup-adjustment"));
    fitsTheWindow(QStringLiteral("pintoValueUp"));
    ui_->closePopupWith(QStringLiteral("popupOk"));
}

QTEST_MAIN(PopupsTest)
#include "tst_popups.moc"
