// kelvara-lens-cli's lens commands, run as a user runs them against the virtual lens and
// its update server: what reaches the lens's settings image, what is printed where, and
// the exit codes scripts rely on. Every run has its own HOME, so backups stay here.
#include "CliRun.h"
#include "FirmwarePackage.h"
#include "LensFirmware.h"
#include "UpdateServer.h"
#include "VirtualLens.h"

#include "platform/Texts.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace kelvara;
using Run = test::CliRun;

namespace {

QString txt(const char* key) {
    return qtTrId(key);
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class TestCliController : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> home;
    std::unique_ptr<sim::UpdateServer> server;
    std::unique_ptr<sim::VirtualLens> lens;
    QString language = QStringLiteral("en");

    // zoom-e with a preset-time function on switch position 1 (12.5 s, delay 3.5 s), AF
    // limit row 0 at positions 1 to 4 and preset times up to 39.9 s.
    static sim::LensProfile profile() {
        auto p = *sim::LensProfile::preset(QStringLiteral("zoom-e"));
        p.factorySettings[81] = char(22);
        p.factorySettings[290] = char(125);
        p.factorySettings[291] = 0;
        p.factorySettings[306] = char(35);
        p.factorySettings[307] = 0;
        p.factorySettings[16] = char(0x41); // AF limit row 0: near 1, far 4
        p.presetTimeMax = 30;               // preset times up to 39.9 s
        return p;
    }

    Run cli(QStringList args, const test::CliEnvironment& extra = {}) {
        if (!args.contains(QStringLiteral("--simulate")))
            args = QStringList{"--port", lens->linkPath(), "--server", server->baseUrl()} + args;
        const test::CliEnvironment own{{"HOME", home->path()},
                                       {"XDG_DATA_HOME", home->filePath("data")},
                                       {"XDG_CONFIG_HOME", home->filePath("config")},
                                       {"KELVARA_LANG", language}};
        return test::cli(
            args, {.environment = test::CliEnvironment{{"SSL_CERT_FILE", {}}} + extra + own});
    }

    QString backupDirectory() const {
        return home->filePath(QStringLiteral("data/Kelvara/LensUtility/backups"));
    }

    void allowAfAdjustment() {
        QVERIFY(QDir().mkpath(home->filePath(QStringLiteral("config/Kelvara"))));
        QVERIFY(writeFile(home->filePath(QStringLiteral("config/Kelvara/LensUtility.conf")),
                          "[General]\nvisibleAFCustomize=true\n"));
    }

private slots:
    void initTestCase() {
        qputenv("KELVARA_LANG", "en");
        QCOMPARE(Texts::install(), QStringLiteral("en"));
    }

    void init() {
        home = std::make_unique<QTemporaryDir>();
        QVERIFY(home->isValid());
        language = QStringLiteral("en");
        lens = std::make_unique<sim::VirtualLens>(profile());
        QString error;
        QVERIFY2(lens->start({}, &error), qPrintable(error));
        server = std::make_unique<sim::UpdateServer>();
        server->addLens(lens->profile());
        QVERIFY2(server->start(0, &error), qPrintable(error));
    }

    void cleanup() {
        lens.reset();
        server.reset();
        home.reset();
    }

    void infoPrintsIdentityFirmwareAndSummaries() {
        const Run run = cli({"info"});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        const QStringList lines = run.out.split(QLatin1Char('\n'));
        // Each control's line carries its own slot's function and parameters.
        for (const QString& line :
             {QStringLiteral("Product: Kelvara 24-70mm F2.8 DG Zoom E"),
              QStringLiteral("Model: KZ2470E"), QStringLiteral("Mount: Sony E"),
              txt("Firmware_Current") + ": 01", QStringLiteral("Custom switch positions: 3"),
              txt("Common_Custom1") + ": " + txt("ButtonSelect_FunctionFocusPreset") + "  /  " +
                  txt("Home_FocusTime") + ": 12.5 [s] / " + txt("Home_DelaySetting") + ": 3.5 [s]",
              txt("Common_Custom2") + ": " + txt("ButtonSelect_FunctionAfLimitOnOff") +
                  "  /  Closest  -  " + txt("CustomSetting_AfInf") + "  /  " +
                  txt("ButtonSelect_LabelAFLimitClick"),
              txt("Home_RingDirectionSetting") + ": " + txt("Home_RingDefault")})
            QVERIFY2(lines.contains(line), qPrintable(line + '\n' + run.out));
        QVERIFY2(run.out.contains(txt("Firmware_Latest") + ": 02"), qPrintable(run.out));
        // Without the preference the AF fine adjustment is not offered.
        QVERIFY(!run.out.contains(txt("Home_AfCustomize") + ": "));
        // Nothing but the report on standard output; the session ended with a disconnect.
        QVERIFY(!run.out.contains("Send Command"));
        QCOMPARE(lens->framesReceived(0xF9), 1);
        QCOMPARE(lens->framesReceived(0xF5), 0);
    }

    void infoJsonHoldsTheLensImage() {
        const Run run = cli({"info", "--json"});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QJsonParseError parseError;
        const QJsonObject doc = QJsonDocument::fromJson(run.out.toUtf8(), &parseError).object();
        QVERIFY2(parseError.error == QJsonParseError::NoError, qPrintable(run.out));

        const QByteArray image = lens->settingsImage();
        const QByteArray record = lens->record();
        QCOMPARE(doc["modelName"].toString(), "KZ2470E");
        QCOMPARE(doc["currentVersion"].toString(), "01.02");
        QCOMPARE(doc["newVersion"].toString(), sim::LensFirmware(lens->profile()).version());
        QVERIFY(doc["firmwareCheckEnded"].toBool());

        const QJsonObject s = doc["settings"].toObject();
        for (int slot = 0; slot < 4; ++slot)
            QCOMPARE(s["bt_func"][slot].toInt(), int(quint8(image[80 + slot])));
        QCOMPARE(s["direction"].toInt(), int(image[1]));
        QCOMPARE(s["aflim_pos"][0].toArray(), (QJsonArray{1, 4}));
        const int time = quint8(image[290]) + 256 * quint8(image[291]);
        QCOMPARE(s["focusSec2"][1].toInt() * 100 + s["focusSec1"][1].toInt() * 10 +
                     s["focusSec0"][1].toInt(),
                 time);
        QCOMPARE(s["focusDelay1"][1].toInt(), 3);
        QCOMPARE(s["focusDelay0"][1].toInt(), 5);

        const QJsonObject caps = doc["capabilities"].toObject();
        QCOMPARE(caps["customSwitchStateCount"].toInt(), int(record[4]));
        QCOMPARE(caps["limitPosition"].toArray().size(), lens->profile().limitPositionCount());
        QVERIFY(caps["delaySettings"].toBool());
        QVERIFY(!caps["afAdjustmentVisible"].toBool());
        const QJsonArray functions = caps["selectableFunctions"].toArray();
        QVERIFY(functions.contains(22) && functions.contains(9) && !functions.contains(10));

        QStringList names;
        for (const QJsonValue& control : doc["controls"].toArray())
            names.append(control["name"].toString());
        QCOMPARE(names, (QStringList{"switch1", "switch2", "switch3", "button0"}));
    }

    void setWritesTheSettingAtItsAddress_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addRow("button function")
            << QStringList{"button0", "8"} << 80 << QByteArray("\x08", 1);
        QTest::addRow("function by name")
            << QStringList{"switch3", "ab_focus_time"} << 83 << QByteArray("\x17", 1);
        QTest::addRow("preset time")
            << QStringList{"switch1.time", "1.5"} << 290 << QByteArray("\x0F\x00", 2);
        QTest::addRow("delay") << QStringList{"switch1.delay", "2.0"} << 306
                               << QByteArray("\x14\x00", 2);
        QTest::addRow("af limit row")
            << QStringList{"aflimit0", "2-5"} << 16 << QByteArray("\x52", 1);
        QTest::addRow("af limit of a switch position")
            << QStringList{"switch2.aflimit", "1-5"} << 225 << QByteArray("\x51", 1);
        QTest::addRow("direction")
            << QStringList{"direction", "reverse"} << 1 << QByteArray("\x01", 1);
        QTest::addRow("ring response")
            << QStringList{"ring_response", "1"} << 2 << QByteArray("\x01", 1);
        QTest::addRow("ring angle") << QStringList{"ring_angle", "3"} << 3 << QByteArray("\x03", 1);
    }

    void setWritesTheSettingAtItsAddress() {
        QFETCH(QStringList, args);
        QFETCH(int, offset);
        QFETCH(QByteArray, bytes);
        QByteArray expected = lens->settingsImage();
        expected.replace(offset, bytes.size(), bytes);
        const Run run = cli(QStringList{"set"} + args);
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY2(run.out.contains(args[0] + " set to "), qPrintable(run.out));
        // Exactly one write, and nothing else in the image moved.
        QCOMPARE(lens->framesReceived(0xF5), 1);
        QCOMPARE(lens->settingsImage(), expected);
    }

    void setAfAdjustmentNeedsThePreference() {
        Run run = cli({"set", "pinto", "-3"});
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(lens->framesReceived(0xF5), 0);

        allowAfAdjustment();
        run = cli({"set", "pinto", "-3"});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QCOMPARE(quint8(lens->settingsImage()[19]), quint8(0xFD));
        run = cli({"info"});
        QVERIFY2(run.out.contains(txt("Home_AfCustomize") + ": -3"), qPrintable(run.out));
    }

    void unchangedValueSendsNothing() {
        const Run run = cli({"set", "switch1", "22"});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.contains("already"));
        QCOMPARE(lens->framesReceived(0xF5), 0);
    }

    void refusedValuesSendNothing_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("reason");
        QTest::addRow("function the lens lacks") << QStringList{"button0", "10"} << "cannot be assigned";
        QTest::addRow("iris function") << QStringList{"button0", "24"} << "cannot be assigned";
        QTest::addRow("ring angle past the range") << QStringList{"ring_angle", "8"} << "between 0 and 7";
        QTest::addRow("near behind far") << QStringList{"aflimit0", "3-2"} << "near < far";
        QTest::addRow("far not at infinity") << QStringList{"aflimit3", "0-3"} << "fixed at position 5";
        QTest::addRow("time past the lens's longest") << QStringList{"switch1.time", "40.0"} << "between 0.0 and 39.9";
        QTest::addRow("time without a time function") << QStringList{"button0.time", "1.5"} << "preset-time";
        QTest::addRow("two decimals") << QStringList{"switch1.time", "1.25"} << "not a valid value";
        QTest::addRow("speed has no write") << QStringList{"button0.speed", "3"} << "cannot be written";
        QTest::addRow("unknown setting") << QStringList{"zoom", "1"} << "unknown setting";
    }

    void refusedValuesSendNothing() {
        QFETCH(QStringList, args);
        QFETCH(QString, reason);
        const QByteArray before = lens->settingsImage();
        const Run run = cli(QStringList{"set"} + args);
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains(reason), qPrintable(run.err));
        QCOMPARE(run.err.count(QLatin1Char('\n')), 1);
        QCOMPARE(lens->framesReceived(0xF5), 0);
        QCOMPARE(lens->settingsImage(), before);
    }

    void lensRefusalPrintsTheControllersMessage_data() {
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QString>("message");
        QTest::addRow("refused") << 0x81 << "en" << txt("Common_LensError");
        QTest::addRow("camera status")
            << 0x83 << "en" << txt("Connect_CameraConnectionStatusError");
        QTest::addRow("in Japanese") << 0x81 << "ja" << QStringLiteral("レンズ");
    }

    void lensRefusalPrintsTheControllersMessage() {
        QFETCH(int, status);
        QFETCH(QString, lang);
        QFETCH(QString, message);
        language = lang;
        lens->setRefusal(quint8(status), 1, 0xF5);
        const Run run = cli({"set", "direction", "1"});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QCOMPARE(run.err.contains(txt("Common_LensError")), lang == "en" && status == 0x81);
        QVERIFY(!run.out.contains("set to"));
        QCOMPARE(quint8(lens->settingsImage()[1]), quint8(0));
        QCOMPARE(lens->framesReceived(0xF9), 1);
    }

    void exportThenImportRestoresTheImage() {
        const QString file = home->filePath("lens.vdat");
        const QByteArray exported = lens->settingsImage();
        Run run = cli({"export", file});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY(run.out.contains(txt("Home_SettingOutputEnd")));
        const QByteArray bytes = contents(file);
        QCOMPARE(bytes.size(), 530);
        QCOMPARE(bytes.mid(0, 7), QByteArray("KZ2470E"));
        QCOMPARE(bytes.mid(16, 512), exported);

        QCOMPARE(cli({"set", "direction", "1"}).exitCode, 0);
        const QByteArray changed = lens->settingsImage();
        QVERIFY(changed != exported);

        run = cli({"import", file});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY(run.out.contains(txt("Home_SettingInputEnd")));
        QCOMPARE(lens->settingsImage(), exported);
        // The settings the import replaced were kept, and the line says where.
        const QStringList backups = QDir(backupDirectory()).entryList({"*.vdat"});
        QCOMPARE(backups.size(), 1);
        const QString backup = QDir(backupDirectory()).filePath(backups[0]);
        QVERIFY2(run.out.contains("Backup of the previous settings: " + backup),
                 qPrintable(run.out));
        QCOMPARE(contents(backup).mid(16, 512), changed);
    }

    void importThatTheLensDoesNotKeepFails() {
        QCOMPARE(cli({"set", "direction", "1"}).exitCode, 0);
        const QString file = home->filePath("lens.vdat");
        QCOMPARE(cli({"export", file}).exitCode, 0);
        // The lens acknowledges both blocks, then holds its factory settings again.
        lens->setForgetAtWrite(2);
        const Run run = cli({"import", file});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.out.contains(txt("Home_SettingInputEnd")));
        const QString message =
            txt("Home_SettingInputVerifyError").arg(txt("Home_RingDirectionSetting"));
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QCOMPARE(lens->settingsImage(), lens->profile().factorySettings);
    }

    void resetAsksThenBacksUpAndRestoresFactorySettings() {
        QCOMPARE(cli({"set", "button0", "8"}).exitCode, 0);
        const QByteArray changed = lens->settingsImage();
        lens->resetCounters();

        // No terminal and no --yes: the question is answered no.
        Run run = cli({"reset"});
        QCOMPARE(run.exitCode, 3);
        QVERIFY2(run.err.contains("--yes"), qPrintable(run.err));
        QCOMPARE(lens->framesReceived(0xF5), 0);
        QCOMPARE(lens->settingsImage(), changed);

        run = cli({"reset", "--yes"});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY(run.out.contains(txt("Home_SettingReturnEnd")));
        QCOMPARE(lens->settingsImage(), lens->profile().factorySettings);

        run = cli({"backups"});
        QCOMPARE(run.exitCode, 0);
        const QStringList lines = run.out.trimmed().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0], "Backup directory: " + backupDirectory());
        const QString backup = lines[1].section("  (", 0, 0);
        QVERIFY(backup.startsWith(backupDirectory() + "/KZ2470E_"));
        QCOMPARE(lines[1], backup + "  (before a reset)");
        QCOMPARE(contents(backup).mid(16, 512), changed);
    }

    // Newest first whatever the model, each with why it was taken; a backup from before
    // reasons were recorded still lists.
    void backupsNewestFirstWithTheirReasons() {
        QVERIFY(QDir().mkpath(backupDirectory()));
        const QStringList names{"OTHER_20250101-100000-000_import.vdat",
                                "KZ2470E_20240101-100000-000.vdat",
                                "KZ_2_20230101-100000-000_firmware-update.vdat"};
        for (const QString& name : {names[1], names[2], names[0]})
            QVERIFY(writeFile(QDir(backupDirectory()).filePath(name), {}));
        Run run = cli({"backups"});
        QCOMPARE(run.exitCode, 0);
        const QStringList lines = run.out.trimmed().split(QLatin1Char('\n'));
        QCOMPARE(
            lines.mid(1),
            (QStringList{backupDirectory() + "/" + names[0] + "  (before an import)",
                         backupDirectory() + "/" + names[1] + "  (reason not recorded)",
                         backupDirectory() + "/" + names[2] + "  (before a firmware update)"}));

        run = cli({"backups", "--json"});
        QCOMPARE(run.exitCode, 0);
        const QJsonObject doc = QJsonDocument::fromJson(run.out.toUtf8()).object();
        QCOMPARE(doc["directory"].toString(), backupDirectory());
        QStringList listed;
        for (const QJsonValue& backup : doc["backups"].toArray())
            listed.append(backup["path"].toString().section('/', -1) + ' ' +
                          (backup["reason"].isNull() ? "null" : backup["reason"].toString()));
        QCOMPARE(listed, (QStringList{names[0] + " import", names[1] + " null",
                                      names[2] + " firmware-update"}));
    }

    // The command waits for the lens to answer again and reports the version it runs;
    // the settings were backed up first.
    void updateReportsTheVersionInstalled_data() {
        QTest::addColumn<bool>("installs");
        QTest::addRow("new version") << true;
        QTest::addRow("old version stays") << false;
    }

    void updateReportsTheVersionInstalled() {
        QFETCH(bool, installs);
        const sim::LensFirmware firmware(lens->profile());
        if (!installs) // an image without the version mark installs as is
            server->setDocument(sim::UpdateServer::packagePath(lens->profile()),
                                sim::FirmwarePackage::build({{0, 0, 0x0200, QByteArray(4096, 'k')}},
                                                            firmware.descriptionKey()));
        Run run = cli({"update", "--yes"});
        QCOMPARE(lens->installedImages().size(), 1);
        if (installs) {
            QVERIFY2(run.exitCode == 0, qPrintable(run.err));
            QVERIFY2(run.out.contains(txt("Firmware_Current") + ": " + firmware.version()),
                     qPrintable(run.out));
        } else {
            QCOMPARE(run.exitCode, 1);
            QVERIFY2(run.err.contains(txt("Firmware_UpdateNotApplied").arg("01.02")),
                     qPrintable(run.err));
        }
        run = cli({"backups"});
        QVERIFY2(run.out.contains("  (before a firmware update)"), qPrintable(run.out));
    }

    void checkUpdateComparesUtilityAndLensFirmware() {
        server->setUtilityVersion("9.0");
        Run run = cli({"check-update"});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY2(run.out.contains(", newest on the server: 09.00"), qPrintable(run.out));
        QVERIFY(run.out.contains(txt("VersionInfo_UpdateExist")));
        QVERIFY(run.out.contains("KZ2470E  " + txt("Firmware_Latest") + ": 02"));

        sim::HttpFault fault;
        fault.kind = sim::HttpFault::ServerError;
        server->setFault(sim::UpdateServer::utilityPath(), fault);
        run = cli({"check-update"});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(txt("Footer_UtilityVersionCheckError")), qPrintable(run.err));

        // A catalogue that is not there names no version: nothing to call up to date.
        fault.kind = sim::HttpFault::NotFound;
        server->setFault(sim::UpdateServer::cataloguePath(lens->profile()), fault);
        server->clearFaults(sim::UpdateServer::utilityPath());
        run = cli({"check-update"});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains("names no version"), qPrintable(run.err));
        QVERIFY(run.out.contains(txt("Firmware_Latest") + ": --"));
        QVERIFY(!run.out.contains("up to date"));
    }

    // The update server over HTTPS with a certificate of a test authority. Trusted through
    // SSL_CERT_FILE, the check and the update work as over HTTP; untrusted, each request
    // fails with the TLS reason and is never asked again over plain HTTP.
    void httpsUpdateServer() {
        if (QStandardPaths::findExecutable(QStringLiteral("openssl")).isEmpty())
            QSKIP("openssl is not installed");
        const QDir dir(home->path());
        const auto openssl = [&dir](const QStringList& args) {
            QProcess p;
            p.setWorkingDirectory(dir.path());
            p.start(QStringLiteral("openssl"), args);
            return p.waitForFinished(60000) && p.exitCode() == 0;
        };
        QVERIFY(writeFile(dir.filePath("server.ext"),
                          "subjectAltName=IP:127.0.0.1,DNS:localhost\n"
                          "extendedKeyUsage=serverAuth\n"));
        QVERIFY(openssl({"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj",
                         "/CN=Kelvara Test Authority", "-keyout", "ca.key", "-out", "ca.pem"}));
        QVERIFY(openssl({"req", "-newkey", "rsa:2048", "-nodes", "-subj", "/CN=127.0.0.1",
                         "-keyout", "server.key", "-out", "server.csr"}));
        QVERIFY(openssl({"x509", "-req", "-in", "server.csr", "-CA", "ca.pem", "-CAkey", "ca.key",
                         "-CAcreateserial", "-days", "2", "-extfile", "server.ext", "-out",
                         "server.pem"}));
        server = std::make_unique<sim::UpdateServer>();
        server->addLens(lens->profile());
        QString error;
        QVERIFY2(server->setTls(dir.filePath("server.pem"), dir.filePath("server.key"), &error),
                 qPrintable(error));
        QVERIFY2(server->start(0, &error), qPrintable(error));
        QVERIFY(server->baseUrl().startsWith("https://"));
        const test::CliEnvironment trusted{{"SSL_CERT_FILE", dir.filePath("ca.pem")}};

        Run run = cli({"check-update"}, trusted);
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY(run.out.contains("KZ2470E  " + txt("Firmware_Latest") + ": 02"));
        run = cli({"update", "--yes"}, trusted);
        QVERIFY2(run.exitCode == 0, qPrintable(run.err + run.out));
        QCOMPARE(lens->installedImages().size(), 1);

        const QString utility = server->baseUrl() + sim::UpdateServer::utilityPath();
        const int requests = server->requestCount(sim::UpdateServer::utilityPath());
        const int connections = server->connectionCount();
        run = cli({"check-update"});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(utility + ": SSL handshake failed: The issuer certificate"),
                 qPrintable(run.err));
        QVERIFY(run.err.contains(txt("Footer_UtilityVersionCheckError")));
        // One connection per failed request (the utility's and the lens's catalogue), and
        // nothing asked on any of them.
        QCOMPARE(run.err.count("SSL handshake failed"), 2);
        QCOMPARE(server->connectionCount(), connections + 2);
        QCOMPARE(server->requestCount(sim::UpdateServer::utilityPath()), requests);
    }
};

QTEST_GUILESS_MAIN(TestCliController)
#include "tst_cli_controller.moc"
