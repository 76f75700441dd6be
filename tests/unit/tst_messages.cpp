// The message box state: queued messages from any thread, one at a time and in order,
// answers with their handlers, and tooltips that never touch the queue; and the hand-over
// of work to the main thread it is built on, in each poster's order, blocking or not.
#include "platform/MainThread.h"
#include "ui/MessageViewModel.h"

#include <QTest>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <numeric>
#include <thread>
#include <vector>

using namespace kelvara;

class TestMessages : public QObject {
    Q_OBJECT

    // How long a message that must wait is given to show up wrongly.
    static constexpr int SETTLE_MS = 80;

  private slots:
    void secondMessageWaitsForTheFirstAnswer() {
        MessageViewModel model;
        QStringList ran;
        model.showMessage(QStringLiteral("first"), [&] { ran << QStringLiteral("first"); });
        model.showMessage(QStringLiteral("second"), [&] { ran << QStringLiteral("second"); });
        QTRY_VERIFY(model.show_message());
        QCOMPARE(model.button_mode(), ButtonMode::OK);
        QVERIFY(model.isMessageVisible());
        QTest::qWait(SETTLE_MS);
        QCOMPARE(model.message(), QStringLiteral("first"));

        model.respondOk();
        QCOMPARE(ran, QStringList{QStringLiteral("first")});
        QTRY_COMPARE(model.message(), QStringLiteral("second"));
        QVERIFY(model.show_message());
        model.respondOk();
        QCOMPARE(ran, (QStringList{QStringLiteral("first"), QStringLiteral("second")}));
        QVERIFY(!model.show_message());
        QVERIFY(!model.isMessageVisible());
    }

    // Callers never wait for an answer (the joins would hang); handlers run on the main
    // thread, whoever asked.
    void messagesFromManyThreadsComeOneAtATime() {
        MessageViewModel model;
        constexpr int COUNT = 6;
        std::atomic<int> handled{0};
        std::atomic<int> offMain{0};
        QList<QString> shown;
        std::vector<std::thread> callers;
        for (int i = 0; i < COUNT; ++i) {
            callers.emplace_back([&, i] {
                model.showMessage(QString::number(i), [&] {
                    ++handled;
                    offMain += int(!MainThread::isCurrent());
                });
            });
        }
        for (auto& t : callers)
            t.join();
        for (int i = 0; i < COUNT; ++i) {
            QTRY_VERIFY(model.show_message());
            QTest::qWait(i == 0 ? SETTLE_MS : 0); // nobody overwrites the one on screen
            shown << model.message();
            QCOMPARE(handled.load(), i);
            model.respondOk();
        }
        QCOMPARE(handled.load(), COUNT);
        QCOMPARE(offMain.load(), 0);
        std::sort(shown.begin(), shown.end());
        QCOMPARE(shown, (QList<QString>{"0", "1", "2", "3", "4", "5"}));
        QTest::qWait(SETTLE_MS);
        QVERIFY(!model.show_message());
    }

    void confirmRunsOnlyTheChosenHandler() {
        for (const bool yes : {true, false}) {
            MessageViewModel model;
            QStringList ran; // each handler, marked if the box was still up while it ran
            const auto handler = [&](const QString& which) {
                return [&, which] { ran << which + (model.show_message() ? " shown" : ""); };
            };
            model.showConfirm(QStringLiteral("Common_UpdateConfirm"), handler("yes"),
                              handler("no"));
            QTRY_VERIFY(model.show_message());
            QCOMPARE(model.button_mode(), ButtonMode::YES_NO);
            QCOMPARE(model.message(), QStringLiteral("Common_UpdateConfirm"));
            yes ? model.respondYes() : model.respondNo();
            QCOMPARE(ran, QStringList{yes ? "yes" : "no"});
        }
    }

    // Alone, or behind one asked before it.
    void aHandlerThatShowsAMessageGetsItNext() {
        for (const bool later : {true, false}) {
            MessageViewModel model;
            model.showMessage(QStringLiteral("outer"),
                              [&] { model.showMessage(QStringLiteral("inner"), {}); });
            if (later)
                model.showMessage(QStringLiteral("later"), {});
            QTRY_COMPARE(model.message(), QStringLiteral("outer"));
            model.respondOk();
            // The handler's message was asked after "later": it waits its turn behind it.
            if (later) {
                QTRY_COMPARE(model.message(), QStringLiteral("later"));
                model.respondOk();
            }
            QTRY_COMPARE(model.message(), QStringLiteral("inner"));
            QVERIFY(model.show_message());
            QVERIFY(model.isMessageVisible());
        }
    }

    // Tooltips of two and three pairs, and the button function one.
    void tooltipsLeaveTheQueueAlone() {
        for (const int kind : {2, 3, 0}) {
            MessageViewModel model;
            int handled = 0;
            if (kind == 2)
                model.showTooltip("T", "M", "l1", "l2", "d1", "d2");
            else if (kind == 3)
                model.showTooltip("T", "M", "l1", "l2", "l3", "d1", "d2", "d3");
            else
                model.showButtonFunctionTooltip(1, 5, [&] { ++handled; });
            QVERIFY(model.show_message());
            QVERIFY(!model.isMessageVisible());
            model.respondOk();
            QCOMPARE(handled, kind == 0 ? 1 : 0);
            QVERIFY(!model.show_message());

            // Had the answer released an admission, both messages would come up together.
            model.showMessage(QStringLiteral("a"), {});
            model.showMessage(QStringLiteral("b"), {});
            QTRY_COMPARE(model.message(), QStringLiteral("a"));
            QTest::qWait(SETTLE_MS);
            QCOMPARE(model.message(), QStringLiteral("a"));
        }
    }

    void tooltipContent() {
        MessageViewModel model;
        model.showTooltip("T", "M", "l1", "l2", "l3", "d1", "d2", "d3");
        QCOMPARE(model.tooltip_type(), MessageType::TooltipDefault);
        QCOMPARE((QStringList{model.label4(), model.desc4()}), (QStringList{"", ""}));
        QCOMPARE((std::pair{model.sw_id(), model.func_id()}), (std::pair{0, 0}));

        // The narrower tooltip clears what the wider one left.
        model.showTooltip("T2", "M2", "a", "b", "c", "d");
        QCOMPARE((QStringList{model.label3(), model.desc3()}), (QStringList{"", ""}));
        QCOMPARE(model.label2(), QStringLiteral("b"));

        model.showButtonFunctionTooltip(1, 5, {});
        QCOMPARE(model.tooltip_type(), MessageType::ButtonFunction);
        QCOMPARE((std::pair{model.sw_id(), model.func_id()}), (std::pair{1, 5}));
        QCOMPARE(model.button_mode(), ButtonMode::OK);
        for (const QString& text : {model.title(), model.message(), model.label1(), model.desc2()})
            QVERIFY(text.isEmpty());
        model.respondOk(); // an empty handler is harmless

        // A queued message resets the tooltip texts.
        model.showTooltip("T", "M", "l1", "l2", "d1", "d2");
        model.showMessage(QStringLiteral("plain text, no key"), {});
        QTRY_COMPARE(model.tooltip_type(), MessageType::Message);
        QCOMPARE(model.message(), QStringLiteral("plain text, no key"));
        QCOMPARE((QStringList{model.title(), model.label1(), model.desc2()}), QStringList(3));
    }

    void answeringATooltipJustBeforeAMessageAppearsKeepsTheOrder() {
        MessageViewModel model;
        model.showTooltip("T", "M", "l1", "l2", "d1", "d2");
        model.showMessage(QStringLiteral("a"), {});
        // The message is admitted on its worker but not yet on screen: the main thread
        // has not run since.
        QThread::msleep(SETTLE_MS);
        model.respondOk();
        QTRY_COMPARE(model.message(), QStringLiteral("a"));
        model.showMessage(QStringLiteral("b"), {});
        QTest::qWait(SETTLE_MS);
        QCOMPARE(model.message(), QStringLiteral("a"));
        model.respondOk();
        QTRY_COMPARE(model.message(), QStringLiteral("b"));
    }

    void postsFromManyThreadsRunOnMainInOrder() {
        constexpr int posters = 4;
        constexpr int perPoster = 250;
        // Only ever touched on the main thread, so no lock: a wrong thread shows as a race.
        std::vector<std::vector<int>> seen(posters);
        int offMain = 0;
        std::vector<std::thread> threads;
        for (int p = 0; p < posters; ++p)
            threads.emplace_back([&, p] {
                for (int i = 0; i < perPoster; ++i)
                    MainThread::post([&, p, i] {
                        if (!MainThread::isCurrent())
                            ++offMain;
                        seen[p].push_back(i);
                    });
            });
        for (auto& t : threads)
            t.join();
        QTRY_VERIFY(std::all_of(seen.begin(), seen.end(),
                                [](const auto& s) { return int(s.size()) >= perPoster; }));
        QCOMPARE(offMain, 0);
        std::vector<int> inOrder(perPoster);
        std::iota(inOrder.begin(), inOrder.end(), 0);
        for (const auto& s : seen)
            QVERIFY(s == inOrder);
    }

    void callWaitsForTheWork() {
        int value = 0;
        bool ranOnMain = false;
        int seenByWorker = -1;
        std::thread worker([&] {
            MainThread::call([&] {
                ranOnMain = MainThread::isCurrent();
                value = 42;
            });
            // Read without a lock: the call's return is the only hand-back.
            seenByWorker = value;
        });
        QTRY_VERIFY(ranOnMain);
        worker.join();
        QCOMPARE(seenByWorker, 42);

        // On the main thread the work runs at once.
        MainThread::call([&] { value = 7; });
        QCOMPARE(value, 7);
    }

    void workPostedFromWorkRunsLater() {
        QStringList order;
        MainThread::post([&] {
            MainThread::post([&] { order << QStringLiteral("inner"); });
            order << QStringLiteral("outer");
        });
        QTRY_COMPARE(order.size(), 2);
        QCOMPARE(order, (QStringList{QStringLiteral("outer"), QStringLiteral("inner")}));
    }
};

QTEST_GUILESS_MAIN(TestMessages)
#include "tst_messages.moc"
