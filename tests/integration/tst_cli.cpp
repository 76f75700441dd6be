// kelvara-lens-cli as a user runs it, against the virtual lens: output, exit codes and
// the one-line reasons on standard error.
#include "CliRun.h"
#include "LensFirmware.h"
#include "UpdateServer.h"
#include "VirtualLens.h"

#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <pty.h>
#include <unistd.h>

using namespace kelvara;
using Run = test::CliRun;
using test::cli;

namespace {

// Calls act once, on the lens's thread, when the first of signal's emissions with the
// value n arrives: a firmware block's ordinal or a request's function, before the lens
// answers it.
template <typename Signal>
void atFirst(sim::VirtualLens& lens, Signal signal, int n, std::function<void()> act) {
    auto armed = std::make_shared<std::atomic<bool>>(true);
    QObject::connect(
        &lens, signal, &lens,
        [n, armed, act = std::move(act)](auto value) {
            if (int(value) == n && armed->exchange(false))
                act();
        },
        Qt::DirectConnection);
}

void atBlock(sim::VirtualLens& lens, int ordinal, std::function<void()> act) {
    atFirst(lens, &sim::VirtualLens::blockReceived, ordinal, std::move(act));
}

void atRequest(sim::VirtualLens& lens, quint8 function, std::function<void()> act) {
    atFirst(lens, &sim::VirtualLens::requestReceived, function, std::move(act));
}

// Where the program's standard output goes when it is not read by QProcess: a pipe or a
// terminal whose reading end goes away at cut().
class Output {
  public:
    explicit Output(const QString& kind) {
        int fds[2] = {-1, -1};
        if (kind == QLatin1String("reader gone"))
            QVERIFY(::pipe2(fds, O_CLOEXEC) == 0);
        else if (kind == QLatin1String("terminal gone"))
            QVERIFY(::openpty(&fds[0], &fds[1], nullptr, nullptr, nullptr) == 0);
        for (int fd : fds)
            if (fd >= 0)
                ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        reader_ = fds[0];
        writer_ = fds[1];
    }
    ~Output() {
        cut();
        if (writer_ >= 0)
            ::close(writer_);
    }
    int writer() const { return writer_; }
    // Any thread.
    void cut() {
        if (const int fd = reader_.exchange(-1); fd >= 0)
            ::close(fd);
    }

  private:
    std::atomic<int> reader_ = -1;
    int writer_ = -1;
};

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
    sim::UpdateServer server;

    QStringList onLens(const QStringList& args) const {
        return QStringList{"--port", lens->linkPath(), "--server", server.baseUrl()} + args;
    }

private slots:
    void initTestCase() {
        QString error;
        QVERIFY2(server.start(0, &error), qPrintable(error));
    }

    void init() {
        auto profile = *sim::LensProfile::preset("zoom-e");
        // A main image long enough that a signal sent at one of its first blocks arrives
        // well before the transfer ends.
        profile.firmwareImageSize = 160 * 1024;
        lens = std::make_unique<sim::VirtualLens>(profile);
        QString error;
        QVERIFY2(lens->start({}, &error), qPrintable(error));
        server.addLens(lens->profile());
        QVERIFY(server.setPackageKind(lens->profile(), sim::LensFirmware::Kind::Multi));
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

    // The program killed in the first or the last image leaves the lens asking for
    // firmware; the next update goes the safe-mode way and installs the main image.
    void killedUpdateRecoversThroughSafeMode_data() {
        QTest::addColumn<int>("block");
        QTest::addColumn<int>("installedBefore");
        // Normal order: device 1 (5 blocks), device 2 (4 blocks), the main image last.
        QTest::addRow("in the first image") << 3 << 0;
        QTest::addRow("in the last image") << 20 << 2;
    }

    void killedUpdateRecoversThroughSafeMode() {
        QFETCH(int, block);
        QFETCH(int, installedBefore);
        std::atomic<qint64> pid = 0;
        atBlock(*lens, block, [&pid] { ::kill(pid_t(pid.load()), SIGKILL); });
        Run run = cli(onLens({"update", "--yes"}), {.started = [&pid](qint64 id) { pid = id; }});
        QCOMPARE(run.exitCode, -1);
        QCOMPARE(lens->installedImages().size(), installedBefore);

        QVERIFY(QTest::qWaitFor([&] { return lens->isPlugged(); }, 3000));
        run = cli(onLens({"update", "--yes"}));
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY(run.out.contains(QStringLiteral("100%")));
        QCOMPARE(lens->installedImages().size(), installedBefore + 1);
        QCOMPARE(int(lens->installedImages().last().device), 0);
        QCOMPARE(lens->attachCode(), int(sim::LensProfile::AttachAlone));
        QCOMPARE(quint8(lens->record().at(25)), sim::LensFirmware(lens->profile()).major());
    }

    // While a firmware transfer or a settings write runs, a stop signal does not end the
    // program: it says once why it goes on, finishes, and exits with the operation's status.
    // Nor does output that can no longer be written.
    void stopWaitsForTheStepThatMustNotBeCut_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("signal"); // 0: none
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("notice");
        const QString firmware = QStringLiteral("would leave the lens asking for firmware");
        const QString settings = QStringLiteral("would leave the lens's settings half written");
        QTest::addRow("update, SIGINT") << "update" << SIGINT << "pipe" << firmware;
        QTest::addRow("update, SIGTERM") << "update" << SIGTERM << "pipe" << firmware;
        QTest::addRow("update, SIGHUP") << "update" << SIGHUP << "pipe" << firmware;
        QTest::addRow("update, terminal gone") << "update" << SIGHUP << "terminal gone" << firmware;
        QTest::addRow("update, reader gone") << "update" << 0 << "reader gone" << QString();
        QTest::addRow("import, SIGINT") << "import" << SIGINT << "pipe" << settings;
        QTest::addRow("reset, SIGTERM") << "reset" << SIGTERM << "pipe" << settings;
    }

    void stopWaitsForTheStepThatMustNotBeCut() {
        QFETCH(QString, command);
        QFETCH(int, signal);
        QFETCH(QString, output);
        QFETCH(QString, notice);
        QTemporaryDir files;
        QStringList args{command, QStringLiteral("--yes")};
        if (command == QLatin1String("import")) {
            args.append(files.filePath(QStringLiteral("lens.vdat")));
            QCOMPARE(cli(onLens({"export", args.last()})).exitCode, 0);
        }
        Output out(output);
        std::atomic<qint64> pid = 0;
        const auto stop = [&out, &pid, signal] {
            out.cut();
            if (signal != 0)
                ::kill(pid_t(pid.load()), signal);
        };
        const bool update = command == QLatin1String("update");
        if (update) {
            lens->setLineRateEmulation(true);
            atBlock(*lens, 20, stop); // in the main image, the last one sent
        } else {
            atRequest(*lens, 0xF5, [this, stop] {
                lens->setReplyDelay(300); // this very answer comes later
                stop();
            });
        }
        const int writes = lens->framesReceived(0xF5);

        const auto toOutput = [fd = out.writer()] {
            if (fd >= 0)
                ::dup2(fd, STDOUT_FILENO);
        };
        const Run run =
            cli(onLens(args), {.inChild = toOutput, .started = [&pid](qint64 id) { pid = id; }});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        if (notice.isEmpty()) {
            QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
        } else {
            QCOMPARE(run.err.count(notice), 1);
            QCOMPARE(run.err.count(QLatin1Char('\n')), 1);
        }
        if (update) {
            QCOMPARE(lens->installedImages().size(), 3);
            QCOMPARE(quint8(lens->record().at(25)), sim::LensFirmware(lens->profile()).major());
            return; // the transfer closes the port itself
        }
        const bool import = command == QLatin1String("import");
        QCOMPARE(lens->framesReceived(0xF5), writes + (import ? 2 : 1));
        QCOMPARE(lens->framesReceived(0xF9), import ? 2 : 1); // the export disconnected too
        QCOMPARE(quint8(lens->lastRequest().at(6)), quint8(0xF9));
    }

    // Anywhere else a stop signal ends the program at once with the status a shell expects,
    // after the lens has answered the request it works on and heard the disconnect request.
    void stopSignalEndsTheProgramElsewhere_data() {
        QTest::addColumn<int>("signal");
        QTest::addColumn<int>("status");
        QTest::addRow("SIGINT") << SIGINT << 130;
        QTest::addRow("SIGTERM") << SIGTERM << 143;
        QTest::addRow("SIGHUP") << SIGHUP << 129;
    }

    void stopSignalEndsTheProgramElsewhere() {
        QFETCH(int, signal);
        QFETCH(int, status);
        std::atomic<qint64> pid = 0;
        atRequest(*lens, 0xF4, [this, &pid, signal] {
            lens->setReplyDelay(300);
            ::kill(pid_t(pid.load()), signal);
        });
        const Run run = cli(onLens({"info"}), {.started = [&pid](qint64 id) { pid = id; }});
        QCOMPARE(run.exitCode, status);
        QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
        QCOMPARE(lens->framesReceived(0xF9), 1);
        QCOMPARE(quint8(lens->lastRequest().at(6)), quint8(0xF9));
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
