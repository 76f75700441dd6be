// Why a port cannot be opened, on real pseudo-terminals: the diagnosis as a value, and
// kelvara-lens-cli doctor --json, as root and as a user the port is closed to.
#include "CliRun.h"
#include "platform/PortDiagnosis.h"
#include "platform/Texts.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

using namespace kelvara;

namespace {

enum class Setup { Free, Missing, ClosedToOthers, HeldOpen, HeldExclusive };

// A pty whose slave a child process may hold open, exclusively or not, until the end.
class Pty {
  public:
    Pty() {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0)
            path_ = QString::fromLocal8Bit(::ptsname(master_));
    }
    ~Pty() {
        if (holder_ > 0) {
            ::kill(holder_, SIGKILL);
            ::waitpid(holder_, nullptr, 0);
        }
        if (master_ >= 0)
            ::close(master_);
    }
    QString path() const { return path_; }
    pid_t holder() const { return holder_; }

    // Returns once the child has the slave open.
    bool hold(bool exclusive) {
        int ready[2];
        if (::pipe(ready) != 0)
            return false;
        const QByteArray slave = QFile::encodeName(path_);
        holder_ = ::fork();
        if (holder_ == 0) {
            const int fd = ::open(slave.constData(), O_RDWR | O_NOCTTY);
            const char ok = fd >= 0 && (!exclusive || ::ioctl(fd, TIOCEXCL) == 0) ? 1 : 0;
            (void)::write(ready[1], &ok, 1);
            for (;;)
                ::pause();
        }
        ::close(ready[1]);
        char ok = 0;
        const bool held = ::read(ready[0], &ok, 1) == 1 && ok == 1;
        ::close(ready[0]);
        return held;
    }

  private:
    int master_ = -1;
    QString path_;
    pid_t holder_ = 0;
};

// Runs fn as nobody in a child; its integer result comes back through a pipe.
int asNobody(const std::function<int()>& fn) {
    int result[2];
    if (::pipe(result) != 0)
        return -1;
    const pid_t child = ::fork();
    if (child == 0) {
        const passwd* pw = ::getpwnam("nobody");
        int value = -1;
        if (pw && ::setgroups(0, nullptr) == 0 && ::setgid(pw->pw_gid) == 0 &&
            ::setuid(pw->pw_uid) == 0)
            value = fn();
        (void)::write(result[1], &value, sizeof value);
        ::_exit(0);
    }
    ::close(result[1]);
    int value = -1;
    if (::read(result[0], &value, sizeof value) != sizeof value)
        value = -1;
    ::close(result[0]);
    ::waitpid(child, nullptr, 0);
    return value;
}

// kelvara-lens-cli in English, as root or as nobody.
test::CliRun cli(const QStringList& args, bool nobody) {
    test::CliOptions options{.environment = {{"KELVARA_LANG", "en"}, {"HOME", QDir::tempPath()}}};
    if (nobody)
        options.wrapper =
            QStringList{"setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups"};
    return test::cli(args, options);
}

} // namespace

class TestPortDiagnosis : public QObject {
    Q_OBJECT

    QTemporaryDir server;

  private slots:
    void initTestCase() {
        qputenv("KELVARA_LANG", "en");
        QCOMPARE(Texts::install(), QStringLiteral("en"));
        // A file update server that answers, so that only the port can be at fault.
        QVERIFY(QDir(server.path()).mkpath(QStringLiteral("kelvara/utility")));
        QFile info(server.path() + QStringLiteral("/kelvara/utility/KelvaraInfoMac.xml"));
        QVERIFY(info.open(QIODevice::WriteOnly));
        info.write("<info/>");
        QVERIFY(::chmod(QFile::encodeName(server.path()).constData(), 0755) == 0);
    }

    void examinesPort_data() {
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<bool>("nobody");
        QTest::addColumn<QList<int>>("kinds");
        QTest::addColumn<bool>("accessible");
        QTest::addColumn<bool>("holderSeen");
        QTest::addColumn<QString>("message"); // of a connection, where the port will not open
        QTest::addRow("free") << Setup::Free << false << QList<int>{} << true << false << QString();
        QTest::addRow("no such path")
            << Setup::Missing << false << QList<int>{PortProblem::NoSuchDevice} << false << false
            << QStringLiteral("Connect_PortMissing");
        QTest::addRow("closed to this user")
            << Setup::ClosedToOthers << true << QList<int>{PortProblem::PermissionDenied} << false
            << false
            << (PortDiagnosis::installedUdevRule().isEmpty()
                    ? QStringLiteral("Connect_PortPermission")
                    : QStringLiteral("Connect_PortPermissionGroup"));
        // Root opens it all the same, so connecting would not fail on the port.
        QTest::addRow("held open by another process")
            << Setup::HeldOpen << false << QList<int>{PortProblem::Busy} << true << true
            << QString();
        // The holder belongs to root, so this user cannot see who it is.
        QTest::addRow("held with TIOCEXCL")
            << Setup::HeldExclusive << true << QList<int>{PortProblem::Busy} << false << false
            << QStringLiteral("Connect_PortBusy");
    }

    void examinesPort() {
        QFETCH(Setup, setup);
        QFETCH(bool, nobody);
        QFETCH(QList<int>, kinds);
        QFETCH(bool, accessible);
        QFETCH(bool, holderSeen);
        QFETCH(QString, message);
        if (nobody && ::geteuid() != 0)
            QSKIP("changing to another user needs root");
        Pty pty;
        QVERIFY(!pty.path().isEmpty());
        QString path = pty.path();
        const QByteArray native = QFile::encodeName(path);
        switch (setup) {
        case Setup::Free:
            break;
        case Setup::Missing:
            path = QStringLiteral("/dev/kelvara-no-such-tty");
            break;
        case Setup::ClosedToOthers:
            QVERIFY(::chown(native.constData(), 0, 0) == 0 &&
                    ::chmod(native.constData(), 0600) == 0);
            break;
        case Setup::HeldOpen:
            QVERIFY(pty.hold(false));
            break;
        case Setup::HeldExclusive:
            QVERIFY(::chmod(native.constData(), 0666) == 0);
            QVERIFY(pty.hold(true));
            break;
        }

        // The value, examined as the user the row names.
        const auto examine = [&path] { return PortDiagnosis::examine(path); };
        const auto kindsOf = [](const PortDiagnosis& d) {
            QList<int> found;
            for (const PortProblem& p : d.problems())
                found.append(p.kind);
            return found;
        };
        if (nobody) {
            // One problem at most here: its kind, or -2 for none; -3 when it could be opened.
            const int seen = asNobody([&] {
                const PortDiagnosis d = examine();
                const QList<int> found = kindsOf(d);
                return d.accessible ? -3 : found.isEmpty() ? -2 : found.first();
            });
            QCOMPARE(seen, kinds.first());
        } else {
            const PortDiagnosis d = examine();
            QCOMPARE(kindsOf(d), kinds);
            QCOMPARE(d.accessible, accessible);
            QCOMPARE(d.exists, setup != Setup::Missing);
            if (holderSeen) {
                QCOMPARE(d.heldBy.size(), 1);
                QCOMPARE(d.heldBy.first().pid, qint64(pty.holder()));
                QVERIFY(d.problems().first().text().contains(QString::number(pty.holder())));
            }
        }

        // The same findings from the command, as that user.
        const test::CliRun run =
            cli({"--port", path, "--server", QUrl::fromLocalFile(server.path()).toString(),
                 "doctor", "--json"},
                nobody);
        QCOMPARE(run.exitCode, kinds.isEmpty() ? 0 : 1);
        const QJsonObject json = QJsonDocument::fromJson(run.out.toUtf8()).object();
        const QJsonObject port = json["ports"].toArray().first().toObject();
        QCOMPARE(port["path"].toString(), path);
        QCOMPARE(port["accessible"].toBool(), accessible);
        QCOMPARE(port["heldBy"].toArray().size(), holderSeen ? 1 : 0);
        if (holderSeen)
            QCOMPARE(port["heldBy"][0]["pid"].toInteger(), qint64(pty.holder()));
        QCOMPARE(port["owner"].isNull(), setup == Setup::Missing);
        if (setup == Setup::ClosedToOthers) {
            QCOMPARE(port["owner"].toString(), "root");
            QCOMPARE(port["mode"].toString(), "0600");
            QCOMPARE(json["user"]["name"].toString(), "nobody");
        }
        QVERIFY(json["updateServer"]["reachable"].toBool());
        const QJsonArray problems = json["problems"].toArray();
        QCOMPARE(problems.size(), kinds.size());
        for (const QJsonValue& problem : problems) {
            QVERIFY(problem["problem"].toString().contains(path));
            QVERIFY(!problem["fix"].toString().isEmpty());
        }

        // A command that connects says the same, where opening the port fails.
        if (message.isEmpty())
            return;
        const test::CliRun info = cli({"--port", path, "info"}, nobody);
        QCOMPARE(info.exitCode, 1);
        // The message, then what was found at the path.
        const QString expected = Texts::text(message).simplified();
        QVERIFY2(info.err.startsWith(QStringLiteral("kelvara-lens-cli: ") +
                                     expected.section(QStringLiteral("%1"), 0, 0)),
                 qPrintable(info.err));
        QVERIFY2(info.err.contains(path), qPrintable(info.err));
    }

    // Each reason reads differently, and so does its fix; the window's message follows.
    void problemTexts() {
        QList<PortProblem> all;
        for (int kind = PortProblem::NoSuchDevice; kind <= PortProblem::NotAdapter; ++kind) {
            PortProblem p;
            p.kind = PortProblem::Kind(kind);
            p.path = QStringLiteral("/dev/ttyUSB7");
            all.append(p);
        }
        PortProblem joined = all[PortProblem::PermissionDenied];
        joined.ruleInstalled = true;
        joined.group = QStringLiteral("plugdev");
        PortProblem modem = all[PortProblem::Busy];
        modem.modemManager = true;
        all << joined << modem;
        QSet<QString> texts, fixes, messages;
        for (const PortProblem& p : all) {
            if (p.group.isEmpty())
                texts.insert(p.text());
            fixes.insert(p.fix());
            messages.insert(QString::fromLatin1(p.messageId()));
        }
        QCOMPARE(fixes.size(), all.size());
        QVERIFY(joined.fix().contains(QStringLiteral("plugdev")));
        QCOMPARE(texts.size(), int(PortProblem::NotAdapter) + 1);
        // Every connect-failure reason has its own message; a wrong adapter is not one.
        QCOMPARE(messages.size(), all.size());
    }
};

QTEST_GUILESS_MAIN(TestPortDiagnosis)
#include "tst_port_diagnosis.moc"
