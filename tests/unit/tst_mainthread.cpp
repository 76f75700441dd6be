// Hand-over of work to the main thread: from many threads at once, in each poster's order,
// and a blocking call whose effects the caller sees when it returns.
#include "platform/MainThread.h"

#include <QTest>

#include <algorithm>
#include <numeric>
#include <thread>
#include <vector>

using namespace kelvara;

class TestMainThread : public QObject {
    Q_OBJECT

  private slots:
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

QTEST_GUILESS_MAIN(TestMainThread)
#include "tst_mainthread.moc"
