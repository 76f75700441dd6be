// kelvara-lens-cli as a user runs it, against the virtual lens: output, exit codes and
// the one-line reasons on standard error.
#include "VirtualLens.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTest>

using namespace kelvara;

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
    qint64 ms = 0;
};

Run cli(const QStringList& args) {
    QProcess process;
    QElapsedTimer clock;
    clock.start();
    process.start(QStringLiteral(KELVARA_CLI_PATH), args);
    process.waitForFinished(20000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError()), clock.elapsed()};
}

QStringList dumpRows(const QByteArray& bytes) {
    QStringList rows;
    for (int offset = 0; offset < bytes.size(); offset += 16)
        rows.append(QStringLiteral("  %1: %2")
                        .arg(offset, 4, 16, QLatin1Char('0'))
                        .arg(QString::fromLatin1(bytes.mid(offset, 16).toHex(' ').toUpper())));
    return rows;
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT

    std::unique_ptr<sim::VirtualLens> lens;

private slots:
    void init() {
        lens = std::make_unique<sim::VirtualLens>(*sim::LensProfile::preset("zoom-e"));
        QString error;
        QVERIFY2(lens->start({}, &error), qPrintable(error));
    }

    void cleanup() { lens.reset(); }

    void probePrintsRecordAndSettings() {
        const Run run = cli({"--port", lens->linkPath(), "probe"});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.err.isEmpty());
        QVERIFY(run.out.contains(QStringLiteral("Attach: 1 (lens on the adapter)")));
        for (const QString& row :
             dumpRows(lens->record()) + dumpRows(lens->settingsImage().left(256)))
            QVERIFY2(run.out.contains(row), qPrintable(row));
        // The link's diagnostic lines go to stdout; the disconnect request ends the session.
        QVERIFY(run.out.contains(QStringLiteral("Send Command : 0F 01 00 00 02 00 F8 00 A3 16 F0 ")));
        QVERIFY(run.out.contains(QStringLiteral("Port Close")));
        QCOMPARE(lens->framesReceived(0xF9), 1);
    }

    void failuresEndWithOneLineOnStderr_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("reason");
        QTest::addRow("unplug while reading") << "unplug" << "removed";
        QTest::addRow("lens refuses") << "refuse" << "status 0x83";
        QTest::addRow("no reply") << "silent" << "did not answer";
    }

    void failuresEndWithOneLineOnStderr() {
        QFETCH(QString, fault);
        QFETCH(QString, reason);
        // A good probe on this machine and build, so that the bound below holds under the
        // sanitizers' slow start-up as well.
        const qint64 goodMs = cli({"--port", lens->linkPath(), "probe"}).ms;
        if (fault == QLatin1String("unplug"))
            lens->unplugOnFunction(0xF4, 0);
        else if (fault == QLatin1String("refuse"))
            lens->setRefusal(0x83, 1, 0xF4);
        else
            lens->setNoReply(1, 0xF8);
        const Run run = cli({"--port", lens->linkPath(), "probe"});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.err.count(QLatin1Char('\n')), 1);
        QVERIFY2(run.err.contains(reason), qPrintable(run.err));
        // At most one reply timeout (0.5 s) more than a good probe: no retry loop.
        QVERIFY2(run.ms < goodMs + 1000, qPrintable(QStringLiteral("%1 ms, good probe %2 ms")
                                                        .arg(run.ms)
                                                        .arg(goodMs)));
        QVERIFY(run.out.count(QLatin1Char('\n')) < 40); // no flood of port errors
    }

    void usageAndMissingAdapter() {
        Run run = cli({"--port", "/nonexistent/tty", "probe"});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.err.contains(QStringLiteral("could not open /nonexistent/tty")));

        run = cli({"--bogus"});
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.err.contains(QStringLiteral("unknown option --bogus")));

        run = cli({"--simulate=nosuchlens", "probe"});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.err.contains(QStringLiteral("zoom-e")));
    }

    void firmwareUpdateOnTheVirtualLens_data() {
        QTest::addColumn<QString>("preset");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("exitCode");
        QTest::addRow("normal update") << "zoom-e" << QStringList{"--yes"} << 0;
        QTest::addRow("with the adapter mode switch") << "prime-z" << QStringList{"--yes"} << 0;
        QTest::addRow("safe mode") << "safe-mode" << QStringList{"--yes"} << 0;
        QTest::addRow("not confirmed") << "zoom-e" << QStringList{} << 3;
        QTest::addRow("safe mode not confirmed") << "safe-mode" << QStringList{} << 3;
    }

    void firmwareUpdateOnTheVirtualLens() {
        QFETCH(QString, preset);
        QFETCH(QStringList, options);
        QFETCH(int, exitCode);
        const Run run = cli(QStringList{"--simulate=" + preset, "update"} + options);
        QVERIFY2(run.exitCode == exitCode, qPrintable(run.err + run.out));
        // Progress lines without a terminal, ending at 100 % only on success, then the
        // version the lens runs once it answers again.
        QCOMPARE(run.out.contains(QStringLiteral("100%")), exitCode == 0);
        QCOMPARE(run.out.contains(QStringLiteral("Current version: ")), exitCode == 0);
    }

    void updateWithoutUpdateServerFails() {
        const Run run =
            cli({"--port", lens->linkPath(), "--server", "file:///nonexistent", "update", "--yes"});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(!run.err.isEmpty());
        QCOMPARE(lens->installedImages().size(), 0);
    }

    void simulatedProbeOfEveryPreset() {
        for (const QString& preset : sim::LensProfile::presetNames()) {
            const Run run = cli({QStringLiteral("--simulate=") + preset, QStringLiteral("probe")});
            QVERIFY2(run.exitCode == 0, qPrintable(preset + QLatin1Char(' ') + run.err));
            QVERIFY(run.out.contains(QStringLiteral("Basic information (256 bytes):")));
        }
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
