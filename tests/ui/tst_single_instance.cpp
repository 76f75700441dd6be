// One window per user: a later start asks the first to come to the front and ends, a
// lock left by a dead process does not block, and a holder that never answers is named.
#include "SingleInstance.h"

#include <QLockFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace kelvara;

class TestSingleInstance : public QObject {
    Q_OBJECT

  private slots:
    void laterStartsRaiseTheFirst() {
        QTemporaryDir dir;
        {
            SingleInstance first(dir.path());
            QSignalSpy raised(&first, &SingleInstance::activationRequested);
            QCOMPARE(first.claim(), SingleInstance::Role::First);
            for (int start = 1; start <= 2; ++start) {
                SingleInstance later(dir.path());
                QCOMPARE(later.claim(), SingleInstance::Role::Raised);
                QTRY_COMPARE(raised.count(), start);
            }
        }
        // The first one ended: the next start is the first again, over its old socket.
        SingleInstance next(dir.path());
        QCOMPARE(next.claim(), SingleInstance::Role::First);
    }

    void holderThatDoesNotListen() {
        QTemporaryDir dir;
        QLockFile held(dir.filePath(QStringLiteral("kelvara-lens-utility.lock")));
        QVERIFY(held.tryLock(0));
        SingleInstance later(dir.path(), 300);
        QCOMPARE(later.claim(), SingleInstance::Role::NoAnswer);
        QCOMPARE(later.holder(), QCoreApplication::applicationPid());
    }

    // The real program, twice: the second ends at once with status 0 and the first runs on;
    // once the first has crashed, its lock is no obstacle.
    void secondWindowEnds() {
        QTemporaryDir runtime;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), runtime.filePath("config"));
        const auto launch = [&environment](QProcess& process) {
            process.setProcessEnvironment(environment);
            process.start(QStringLiteral(KELVARA_UTILITY_PATH), {QStringLiteral("--simulate")});
        };
        QProcess first;
        launch(first);
        QVERIFY(first.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(
            QFile::exists(runtime.filePath(QStringLiteral("kelvara-lens-utility.socket"))),
            20000);
        // The second says so in the user's language.
        for (const char* language : {"", "ja"}) {
            environment.insert(QStringLiteral("KELVARA_LANG"), QLatin1String(language));
            QProcess second;
            launch(second);
            QVERIFY(second.waitForFinished(20000));
            QCOMPARE(second.exitCode(), 0);
            QVERIFY(QString::fromUtf8(second.readAllStandardError())
                        .contains(*language ? QStringLiteral("すでに起動") : QStringLiteral("already running")));
        }
        QCOMPARE(first.state(), QProcess::Running);
        first.kill();
        QVERIFY(first.waitForFinished(20000));
        SingleInstance next(runtime.path());
        QCOMPARE(next.claim(), SingleInstance::Role::First);
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_single_instance.moc"
