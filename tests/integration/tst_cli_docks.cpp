// kelvara-lens-cli on several docks at once, and on settings files without a lens, against
// virtual lenses: what each lens gets, the output per lens, exit codes and the reasons.
#include "CliRun.h"
#include "LensFirmware.h"
#include "UpdateServer.h"
#include "VirtualLens.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <csignal>

using namespace kelvara;
using Run = test::CliRun;

namespace {

constexpr int SETTINGS_OFFSET = 16; // of the image in a settings file

} // namespace

class TestCliDocks : public QObject {
    Q_OBJECT

    QTemporaryDir home;
    sim::UpdateServer server;
    std::vector<std::unique_ptr<sim::VirtualLens>> lenses;

    // Runs the program with this test's folders, in English.
    Run cli(const QStringList& args, test::CliOptions options = {}) {
        options.environment = test::CliEnvironment{{"XDG_DATA_HOME", home.filePath("data")},
                                                   {"XDG_CONFIG_HOME", home.filePath("config")},
                                                   {"KELVARA_LANG", "en"},
                                                   {"KELVARA_PORT", {}}} +
                              options.environment;
        return test::cli(args, options);
    }

    // --port for each lens (and for each extra path), then the update server.
    QStringList onLenses(const QStringList& args, const QStringList& extraPorts = {}) const {
        QStringList line;
        for (const auto& lens : lenses)
            line << "--port" << lens->linkPath();
        for (const QString& port : extraPorts)
            line << "--port" << port;
        return line + QStringList{"--server", server.baseUrl()} + args;
    }

    QStringList onLens(int i, const QStringList& args) const {
        return QStringList{"--port", lenses[std::size_t(i)]->linkPath(), "--server",
                           server.baseUrl()} +
               args;
    }

    int writes() const {
        int count = 0;
        for (const auto& lens : lenses)
            count += lens->framesReceived(0xF5);
        return count;
    }

    // A settings file of lens i, saved by the program.
    QString exported(int i, const QString& name) {
        const QString path = home.filePath(name);
        const Run run = cli(onLens(i, {"export", path}));
        return run.exitCode == 0 ? path : QString();
    }

  private slots:
    void initTestCase() {
        QVERIFY(home.isValid());
        QString error;
        QVERIFY2(server.start(0, &error), qPrintable(error));
    }

    void init() {
        lenses.clear();
        // The first and the last port have the same file name, in folders of their own.
        for (const char* preset : {"zoom-e", "prime-z", "zoom-e"}) {
            auto lens = std::make_unique<sim::VirtualLens>(*sim::LensProfile::preset(preset));
            const QString link = lenses.size() == 1 ? home.filePath("ttyKLV1") : QString();
            QString error;
            QVERIFY2(lens->start(link, &error), qPrintable(error));
            server.addLens(lens->profile());
            lenses.push_back(std::move(lens));
        }
    }

    void cleanup() { lenses.clear(); }

    // Each lens in the order given, its block headed by its port; one port as before.
    void infoOnEachLens() {
        Run run = cli(onLenses({"info"}));
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
        qsizetype from = 0;
        for (const auto& lens : lenses) {
            const qsizetype heading = run.out.indexOf(lens->linkPath() + ":\n", from);
            QVERIFY2(heading >= from, qPrintable(run.out));
            const QString model = "Model: " + lens->profile().modelName;
            QCOMPARE(run.out.indexOf(model, heading), run.out.indexOf("Model: ", heading));
            from = heading + 1;
        }

        run = cli(onLenses({"info", "--json"}));
        QCOMPARE(run.exitCode, 0);
        const QJsonArray list = QJsonDocument::fromJson(run.out.toUtf8()).array();
        QCOMPARE(list.size(), qsizetype(lenses.size()));
        for (std::size_t i = 0; i < lenses.size(); ++i) {
            const QJsonObject one = list.at(qsizetype(i)).toObject();
            QCOMPARE(one.value("port").toString(), lenses[i]->linkPath());
            QCOMPARE(one.value("modelName").toString(), lenses[i]->profile().modelName);
            QVERIFY(one.contains("settings"));
        }

        run = cli(onLens(1, {"info"}));
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.startsWith("Product: "));
        run = cli(onLens(1, {"info", "--json"}));
        QVERIFY(QJsonDocument::fromJson(run.out.toUtf8()).isObject());
        QVERIFY(!run.out.contains("\"port\""));
    }

    // A lens that fails is named on standard error and does not stop the others.
    void aFailureNamesItsPortAndTheOthersGoOn_data() {
        QTest::addColumn<QString>(
            "fault"); // for the first lens; "missing": a port that is not there
        QTest::addRow("port missing") << "missing";
        QTest::addRow("lens does not answer") << "noreply on";
        QTest::addRow("lens refuses the read") << "refuse 0x83 on fn 0xF4";
    }

    void aFailureNamesItsPortAndTheOthersGoOn() {
        QFETCH(QString, fault);
        QStringList extra;
        QString failing = lenses.front()->linkPath();
        if (fault == QLatin1String("missing")) {
            failing = home.filePath("no-such-dock");
            extra.append(failing);
        } else {
            QVERIFY(lenses.front()->execute(fault).startsWith(QLatin1String("ok")));
        }
        const QString dir = home.filePath(QStringLiteral("exports-") + QTest::currentDataTag());
        const Run run = cli(onLenses({"export", dir}, extra));
        QCOMPARE(run.exitCode, 1);
        const QStringList errors = run.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QVERIFY2(!errors.isEmpty(), qPrintable(run.err));
        for (const QString& line : errors)
            QVERIFY2(line.contains(failing), qPrintable(run.err));
        QVERIFY(errors.last().contains("failed on " + failing));

        // Each lens that answered has its file, named after its model and its port: the
        // port's file name, or its whole path where another port has the same file name.
        QStringList expected;
        for (const auto& lens : lenses) {
            if (lens->linkPath() == failing)
                continue;
            const QString link = lens->linkPath();
            const QString port =
                link.endsWith(QLatin1String("ttyKLV1"))
                    ? "ttyKLV1"
                    : QString(link).mid(1).replace(QLatin1Char('/'), QLatin1Char('_'));
            const QString name = QStringLiteral("%1-%2.vdat").arg(lens->profile().modelName, port);
            expected.append(name);
            QFile file(QDir(dir).filePath(name));
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(name));
            QCOMPARE(file.readAll().mid(SETTINGS_OFFSET, 512), lens->settingsImage());
        }
        expected.sort();
        QCOMPARE(QDir(dir).entryList(QDir::Files, QDir::Name), expected);
    }

    // One question covers every lens: a yes on the terminal resets them all, a no or no
    // terminal none; --yes asks nothing.
    void oneQuestionForAllLenses_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QByteArray>("typed"); // empty: no terminal
        QTest::addColumn<int>("exitCode");
        QTest::addRow("yes on the terminal") << QStringList{} << QByteArray("y\n") << 0;
        QTest::addRow("no on the terminal") << QStringList{} << QByteArray("n\n") << 3;
        QTest::addRow("no terminal") << QStringList{} << QByteArray() << 3;
        QTest::addRow("--yes") << QStringList{"--yes"} << QByteArray() << 0;
    }

    void oneQuestionForAllLenses() {
        QFETCH(QStringList, options);
        QFETCH(QByteArray, typed);
        QFETCH(int, exitCode);
        // Settings off their factory values, so that a reset shows.
        for (std::size_t i = 0; i < lenses.size(); ++i)
            QCOMPARE(cli(onLens(int(i), {"set", "direction", "reverse"})).exitCode, 0);
        const int before = writes();
        const Run run = cli(onLenses(QStringList{"reset"} + options), {.typed = typed});
        QVERIFY2(run.exitCode == exitCode, qPrintable(run.err + run.out));
        QCOMPARE(run.err.count("(the answer covers all 3 lenses)"), options.isEmpty() ? 1 : 0);
        for (const auto& lens : lenses)
            QCOMPARE(lens->settingsImage() == lens->profile().factorySettings, exitCode == 0);
        if (exitCode != 0)
            QCOMPARE(writes(), before);
    }

    // Firmware on every lens, and the check that follows finds each up to date.
    void updateOnEachLens() {
        lenses.pop_back(); // two transfers are enough
        Run run = cli(onLenses({"update", "--yes"}));
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        for (const auto& lens : lenses) {
            QVERIFY(!lens->installedImages().isEmpty());
            QCOMPARE(quint8(lens->record().at(25)), sim::LensFirmware(lens->profile()).major());
        }
        run = cli(onLenses({"check-update"}));
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QCOMPARE(run.out.count("up to date\n"), 2 * qsizetype(lenses.size()));
    }

    // A stop signal ends the lens at work as it would end a single one; the others are not
    // started.
    void stopSignalEndsTheRound() {
        std::atomic<qint64> pid = 0;
        auto armed = std::make_shared<std::atomic<bool>>(true);
        sim::VirtualLens& first = *lenses.front();
        connect(
            &first, &sim::VirtualLens::requestReceived, &first,
            [&first, &pid, armed](quint8 function) {
                if (function == 0xF4 && armed->exchange(false)) {
                    first.setReplyDelay(300);
                    ::kill(pid_t(pid.load()), SIGINT);
                }
            },
            Qt::DirectConnection);
        const Run run = cli(onLenses({"info"}), {.started = [&pid](qint64 id) { pid = id; }});
        QCOMPARE(run.exitCode, 130);
        QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
        QCOMPARE(first.framesReceived(0xF9), 1);
        for (std::size_t i = 1; i < lenses.size(); ++i)
            QCOMPARE(lenses[i]->totalFrames(), 0);
    }

    void refusedCommandLines_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("reason");
        QTest::addRow("no adapter for --all-ports")
            << QStringList{"--all-ports", "info"} << 1 << "no lens adapter found";
        QTest::addRow("--all-ports with --simulate")
            << QStringList{"--all-ports", "--simulate", "info"} << 2
            << "--all-ports and --simulate cannot be used together";
        QTest::addRow("--port with --simulate")
            << QStringList{"--port", "/dev/null", "--simulate", "info"} << 2
            << "--port and --simulate cannot be used together";
        QTest::addRow("a one-lens command on two")
            << QStringList{"--port", "/dev/a", "--port", "/dev/b", "set", "direction", "reverse"}
            << 2 << "set works on one lens";
        QTest::addRow("diff with three files")
            << QStringList{"diff", "a", "b", "c"} << 2 << "diff needs FILE [FILE2]";
    }

    void refusedCommandLines() {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, reason);
        // No USB adapter can match this vendor id.
        const Run run = cli(args, {.environment = {{"KELVARA_ADAPTER_VID", "0xfffe"}}});
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.contains(reason), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
    }

    // A file read without a lens gives what info gives for the lens it came from.
    void showReadsAFileAsInfoReadsTheLens() {
        // A Sony E lens, and a Nikon Z lens whose button functions have names of their own.
        for (int i : {0, 1}) {
            const QString file = exported(i, QStringLiteral("show%1.vdat").arg(i));
            QVERIFY(!file.isEmpty());
            const Run info = cli(onLens(i, {"info"}));
            // Reading a file asks no server.
            const int connections = server.connectionCount();
            Run show = cli({"--server", server.baseUrl(), "show", file});
            QVERIFY2(show.exitCode == 0, qPrintable(show.err));
            QCOMPARE(server.connectionCount(), connections);
            QStringList lines = show.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            QCOMPARE(lines.takeFirst(), "Model: " + lenses[std::size_t(i)]->profile().modelName);
            QVERIFY(lines.takeFirst().startsWith("Current version: "));
            // The file names neither the controls nor the mount: the lens's lines are among
            // its lines where no function is named after the mount's camera controls.
            for (const QString& line : info.out.split(QLatin1Char('\n')))
                if (i == 0 && line.contains(QRegularExpression(QStringLiteral(
                                  "^(Custom [1-3]|Custom button|Rotation direction): "))))
                    QVERIFY2(lines.contains(line), qPrintable(line + QLatin1Char('\n') + show.out));

            const QJsonObject lens =
                QJsonDocument::fromJson(cli(onLens(i, {"info", "--json"})).out.toUtf8()).object();
            show = cli({"show", file, "--json"});
            const QJsonObject read = QJsonDocument::fromJson(show.out.toUtf8()).object();
            for (const char* key : {"modelName", "currentVersion", "settings"})
                QCOMPARE(read.value(QLatin1String(key)), lens.value(QLatin1String(key)));
        }
    }

    // diff lists what differs, with both values, under info's keys; 0 alike, 4 different.
    void diffListsWhatDiffers() {
        const QString before = exported(0, "before.vdat");
        QVERIFY(!before.isEmpty());
        const auto differences = [](const Run& run) {
            return QJsonDocument::fromJson(run.out.toUtf8())["differences"].toArray();
        };
        Run run = cli(onLens(0, {"diff", before, "--json"}));
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY(differences(run).isEmpty());

        QCOMPARE(cli(onLens(0, {"set", "direction", "reverse"})).exitCode, 0);
        run = cli(onLens(0, {"diff", before, "--json"}));
        QCOMPARE(run.exitCode, 4);
        const QJsonArray expected{QJsonObject{{"setting", "direction"}, {"lens", 1}, {"file", 0}}};
        QCOMPARE(differences(run), expected);
        run = cli(onLens(0, {"diff", before}));
        QCOMPARE(run.exitCode, 4);
        QCOMPARE(run.out, "Rotation direction:\n  lens: Reverse\n  file: Standard\n");

        const QString after = exported(0, "after.vdat");
        run = cli({"diff", after, before, "--json"});
        QCOMPARE(run.exitCode, 4);
        QCOMPARE(differences(run).at(0)["a"].toInt(), 1);
        QCOMPARE(differences(run).at(0)["b"].toInt(), 0);
        run = cli({"diff", before, before});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, "the settings are alike\n");
    }

    // A file that an import would refuse, show and diff refuse with the import's words.
    void damagedFilesAreRefusedAsImportRefusesThem_data() {
        QTest::addColumn<QString>("damage");
        QTest::addRow("cut short") << "cut";
        QTest::addRow("a byte changed") << "flip";
        QTest::addRow("one byte more") << "longer";
        QTest::addRow("another model") << "model";
        QTest::addRow("missing") << "missing";
    }

    void damagedFilesAreRefusedAsImportRefusesThem() {
        QFETCH(QString, damage);
        const QString good = exported(0, "good.vdat");
        QVERIFY(!good.isEmpty());
        QString path = home.filePath("damaged.vdat");
        if (damage == QLatin1String("model")) {
            path = exported(1, "other.vdat");
        } else if (damage != QLatin1String("missing")) {
            QFile in(good);
            QVERIFY(in.open(QIODevice::ReadOnly));
            QByteArray bytes = in.readAll();
            if (damage == QLatin1String("cut"))
                bytes.chop(1);
            else if (damage == QLatin1String("flip"))
                bytes[100] = char(bytes.at(100) ^ 0x01);
            else
                bytes.append('\0');
            QFile out(path);
            QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
            out.write(bytes);
        } else {
            QFile::remove(path);
        }
        const auto backups = [this] {
            return QDir(home.filePath("data/Kelvara/LensUtility/backups")).entryList(QDir::Files);
        };
        const QStringList backupsBefore = backups();
        const int before = writes();
        const Run import = cli(onLens(0, {"import", path, "--yes"}));
        QCOMPARE(import.exitCode, 1);
        QVERIFY(!import.err.isEmpty());
        const QList<QStringList> commands{{"diff", good, path}, {"diff", path, good}};
        QList<Run> runs;
        for (const QStringList& command : commands)
            runs.append(cli(command));
        runs.append(cli(onLens(0, {"diff", path})));
        // A file of another model is a settings file of its own.
        if (damage != QLatin1String("model"))
            runs.append(cli({"show", path}));
        for (const Run& run : runs) {
            QCOMPARE(run.exitCode, 1);
            QCOMPARE(run.err, import.err);
            QVERIFY(run.out.isEmpty());
        }
        QCOMPARE(writes(), before);
        QCOMPARE(backups(), backupsBefore); // nothing overwritten, nothing backed up
    }
};

QTEST_GUILESS_MAIN(TestCliDocks)
#include "tst_cli_docks.moc"
