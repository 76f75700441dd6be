// The window's log: one file per run among the newest ten, a size cap, and what it holds
// while the controller works with the virtual lens: the version, the lens, the outcomes
// and the diagnostic lines, nothing else. The command line's doctor names its folder.
#include "ChosenFile.h"
#include "CliRun.h"
#include "DiagnosticCapture.h"
#include "FakeHttpClient.h"
#include "MessageAnswer.h"
#include "VirtualLens.h"
#include "controller/AppViewModel.h"
#include "controller/OperationLog.h"
#include "link/LensClient.h"
#include "link/UsbSerialInterface.h"
#include "link/UsbSerialPortList.h"
#include "model/BasicInfoViewModel.h"
#include "platform/Environment.h"
#include "platform/LogFile.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace kelvara;

namespace {

// Each line without its time stamp.
QStringList logLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QStringList lines;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts))
        lines.append(line.section(u' ', 1));
    return lines;
}

QStringList runs(const QString& dir) {
    return QDir(dir).entryList({QStringLiteral("kelvara-lens-utility-*.log")}, QDir::Files,
                               QDir::Name);
}

} // namespace

class TestOperationLog : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

  private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(dir.isValid());
    }

    // Earlier runs beyond the newest ten go; other files in the folder stay.
    void keepsTheNewestTenRuns() {
        const QString folder = dir.filePath(QStringLiteral("rotation"));
        QVERIFY(QDir().mkpath(folder));
        QStringList earlier;
        for (int day = 10; day < 22; ++day)
            earlier << QStringLiteral("kelvara-lens-utility-202601%1-120000-000-42.log").arg(day);
        for (const QString& name : earlier + QStringList{QStringLiteral("notes.txt")}) {
            QFile file(QDir(folder).filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        LogFile log;
        QVERIFY(log.open(folder));
        const QString newest = QFileInfo(log.path()).fileName();
        QVERIFY(!earlier.contains(newest));
        QCOMPARE(runs(folder), earlier.mid(3) + QStringList{newest});
        QVERIFY(QFile::exists(QDir(folder).filePath(QStringLiteral("notes.txt"))));

        // A later run starts a file of its own; the oldest of the ten goes.
        QTest::qWait(5);
        LogFile second;
        QVERIFY(second.open(folder));
        const QStringList latest{newest, QFileInfo(second.path()).fileName()};
        QCOMPARE(runs(folder), earlier.mid(4) + latest);
    }

    // Whole lines up to the cap, then none, also none shorter that would still fit.
    void stopsAtItsCap() {
        LogFile log(200);
        QVERIFY(log.open(dir.filePath(QStringLiteral("cap"))));
        const QString line(40, u'x');
        for (int i = 0; i < 10; ++i)
            log.write(QStringLiteral("%1 %2").arg(i).arg(line));
        log.write(QStringLiteral("short"));
        const QStringList lines = logLines(log.path());
        QVERIFY(QFileInfo(log.path()).size() <= 200);
        QVERIFY(lines.size() >= 2);
        for (int i = 0; i < lines.size(); ++i)
            QCOMPARE(lines.at(i), QStringLiteral("%1 %2").arg(i).arg(line));
    }

    void holdsTheRunAsTheWindowSawIt() {
        const std::shared_ptr<Environment> environment = Environment::create();
        environment->setHttpClient(std::make_shared<test::FakeHttpClient>());
        sim::VirtualLens lens(*sim::LensProfile::preset(QStringLiteral("zoom-e")));
        QString error;
        QVERIFY2(lens.start({}, &error), qPrintable(error));
        LensClient::install(*environment, std::make_shared<UsbSerialInterface>(),
                            std::make_shared<UsbSerialPortList>(0x1234, lens.linkPath()));
        test::DiagnosticCapture printed;
        auto file = std::make_shared<LogFile>();
        QVERIFY(file->open(dir.filePath(QStringLiteral("run"))));
        QStringList outcomes;
        {
            AppViewModel app;
            test::ChosenFile dialogs;
            app.setFileDialogs(&dialogs);
            OperationLog log(app, *environment, file);
            connect(&app, &AppViewModel::operationFinished, this,
                    [&](const Outcome& o) { outcomes << QString::number(int(o.operation)); });
            app.connectLens(true);
            QTRY_COMPARE_WITH_TIMEOUT(app.connectState(), CONNECT_COMPLETE, 5000);
            // A file that fails the import's checks: refused, the lens untouched.
            dialogs.path = dir.filePath(QStringLiteral("damaged.vdat"));
            QFile damaged(dialogs.path);
            QVERIFY(damaged.open(QIODevice::WriteOnly) && damaged.write("short") == 5);
            damaged.close();
            app.importSettings();
            QVERIFY(test::answerMessage(*app.message(), "Home_FileIllegal"));
            QTRY_VERIFY(outcomes.contains(QString::number(int(Operation::Import))));
            QVERIFY(!app.basic_info()->modelName().isEmpty());

            const QStringList lines = logLines(file->path());
            QCOMPARE(lines.value(0), app.app_name() + u' ' + app.version());
            const QString lensLine =
                QStringLiteral("lens %1, firmware %2")
                    .arg(app.basic_info()->modelName(), app.basic_info()->displayCurrentVersion());
            QVERIFY2(lines.contains(QStringLiteral("connect done")), qPrintable(lines.join(u'\n')));
            QVERIFY(lines.indexOf(lensLine) > 0);
            QVERIFY(lines.indexOf(lensLine) < lines.indexOf(QStringLiteral("connect done")));
            QVERIFY(lines.contains(QStringLiteral("import failed Home_FileIllegal")));
            // Every diagnostic line, in order, and besides them only the version, the lens
            // and the outcomes.
            QStringList rest = lines.mid(1);
            rest.removeAll(lensLine);
            rest.removeIf([](const QString& line) {
                static const QRegularExpression outcome(
                    QStringLiteral("^[a-z-]+ (done|failed|refused|answered-no)\\b"));
                return outcome.match(line).hasMatch();
            });
            QVERIFY(!printed.lines().isEmpty());
            QCOMPARE(rest, printed.lines());
        }
        // Without the window's log the lines go on as before, to standard output only.
        const qint64 size = QFileInfo(file->path()).size();
        Diagnostics::line(QStringLiteral("after the log"));
        QCOMPARE(printed.lines().last(), QStringLiteral("after the log"));
        QCOMPARE(QFileInfo(file->path()).size(), size);
        LensClient::transport().closePort();
    }

    void doctorNamesTheFolder() {
        const QString state = dir.filePath(QStringLiteral("state"));
        const QString folder = state + QStringLiteral("/kelvara-lens-utility/logs");
        const test::CliOptions options{
            .environment = {{"XDG_STATE_HOME", state}, {"KELVARA_LANG", "en"}}};
        const QStringList args{"--port", dir.filePath(QStringLiteral("no-port")), "--server",
                               "http://127.0.0.1:9", "doctor"};
        // Both end as a doctor that found the port missing does.
        const test::CliRun json = test::cli(args + QStringList{"--json"}, options);
        QCOMPARE(json.exitCode, 1);
        QCOMPARE(QJsonDocument::fromJson(json.out.toUtf8()).object()["logDirectory"].toString(),
                 folder);
        const test::CliRun text = test::cli(args, options);
        QCOMPARE(text.exitCode, 1);
        QVERIFY2(text.out.contains("Window logs: " + folder + '\n'), qPrintable(text.out));
    }

    // As XDG has it, a relative XDG_STATE_HOME counts as none.
    void folderFollowsXdgState() {
        const QString fallback =
            QDir::homePath() + QStringLiteral("/.local/state/kelvara-lens-utility/logs");
        const QByteArray saved = qgetenv("XDG_STATE_HOME");
        for (const auto& [value, expected] :
             {std::pair{QByteArray("/var/tmp/state"),
                        QStringLiteral("/var/tmp/state/kelvara-lens-utility/logs")},
              std::pair{QByteArray("relative/state"), fallback},
              std::pair{QByteArray(), fallback}}) {
            qputenv("XDG_STATE_HOME", value);
            QCOMPARE(LogFile::directory(), expected);
        }
        qputenv("XDG_STATE_HOME", saved);
    }
};

QTEST_GUILESS_MAIN(TestOperationLog)
#include "tst_operation_log.moc"
