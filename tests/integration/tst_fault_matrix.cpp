// Every operation of the controller against every fault the virtual lens and its update
// server can show, over a real serial port and real HTTP: how the operation ends, the
// state it leaves, that it ends in time, and that the lens's settings survive. Prints
// the grid of cells.
#include "ChosenFile.h"
#include "DiagnosticCapture.h"
#include "HttpFault.h"
#include "UpdateServer.h"
#include "VirtualLens.h"
#include "controller/AppViewModel.h"
#include "controller/SettingsFile.h"
#include "link/LensClient.h"
#include "model/BasicInfoViewModel.h"
#include "model/LensSettingViewModel.h"
#include "platform/Environment.h"
#include "platform/QtHttpClient.h"
#include "ui/ButtonMode.h"
#include "ui/MessageViewModel.h"
#include "ui/PopupViewModel.h"

#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

using namespace kelvara;

namespace {

enum class Row {
    Connect,
    ConnectBody,
    SettingsRead,
    Write,
    CancelWriteBack,
    Reset,
    Export,
    Import,
    Firmware,
    FirmwareSwitch,
    SafeMode,
    Disconnect,
};

enum class Fault {
    NoReply,
    Refusal,
    Garbage,
    Split,
    Slow,
    Unplug,
    Replug,
    Http404,
    Http500,
    HttpSlow,
    HttpTruncated,
    HttpOversized,
    HttpMalformed,
};
constexpr int kFaults = int(Fault::HttpMalformed) + 1;
static_assert(int(Fault::HttpMalformed) - int(Fault::Http404) ==
              sim::HttpFault::Malformed - sim::HttpFault::NotFound);
const char* const kFaultNames[kFaults] = {"noreply", "refuse", "garbage", "split", "slow",
                                          "unplug",  "replug", "404",     "500",   "h-slow",
                                          "trunc",   "oversz", "malform"};

// Where an operation meets its faults.
struct Line {
    const char* name;
    const char* preset;
    int step;       // the request the frame faults hit; 0: firmware block 2
    bool catalogue; // the HTTP faults hit the lens's catalogue, else its package
    int settleMs;   // how long late effects (a detach handler's second look) may take
    void (*act)(AppViewModel&);
};

// In the order of Row.
const Line kLines[] = {
    {"connect", "zoom-e", 0xF4, true, 150, [](AppViewModel& a) { a.connectLens(true); }},
    {"connect via body", "on-body", 0xF4, true, 1300, [](AppViewModel& a) { a.connectLens(true); }},
    {"settings read", "zoom-e", 0xF4, false, 150, [](AppViewModel& a) { a.resetSettings(); }},
    {"popup write", "zoom-e", 0xF5, false, 150,
     [](AppViewModel& a) { a.lens_setting()->setDirection(1); }},
    {"cancel write-back", "zoom-e", 0xF5, false, 150,
     [](AppViewModel& a) { a.popup()->restoreRingDirection(); }},
    {"reset", "zoom-e", 0xF5, false, 150, [](AppViewModel& a) { a.resetSettings(); }},
    {"export", "zoom-e", 0xF4, false, 150, [](AppViewModel& a) { a.exportSettings(); }},
    {"import", "zoom-e", 0xF5, false, 150, [](AppViewModel& a) { a.importSettings(); }},
    {"firmware update", "zoom-e", 0, false, 150, [](AppViewModel& a) { a.startFirmwareUpdate(); }},
    {"fw update, switch", "prime-z", 0xF8, false, 150,
     [](AppViewModel& a) { a.startFirmwareUpdate(); }},
    {"safe-mode update", "safe-mode", 0xF4, true, 150,
     [](AppViewModel& a) { a.connectLens(true); }},
    {"disconnect", "zoom-e", 0xF9, false, 150, [](AppViewModel& a) { a.disconnectLens(); }},
};

struct Cell {
    Row row;
    Fault fault;
    QList<Outcome> outcomes; // every outcome but the version checks (unless listed)
    ConnectState state;
    bool portOpen;
    bool autoConnecting = false;
};

Outcome done(Operation op, const char* id = "") {
    return {op, Outcome::Done, QString::fromLatin1(id)};
}
Outcome failed(Operation op, const char* id = "") {
    return {op, Outcome::Failed, QString::fromLatin1(id)};
}

using Op = Operation;
const Outcome kConnected = done(Op::Connect);
const Outcome kConnectLoadError = failed(Op::Connect, "Home_LensSettingLoadError");
const Outcome kRemoved = failed(Op::Disconnect, "Common_LensRemovalMessage");
const Outcome kCheckDone = done(Op::FirmwareCheck);
const Outcome kCheckFailed = failed(Op::FirmwareCheck, "Footer_FWCheckError");
const Outcome kResetDone = done(Op::Reset, "Home_SettingReturnEnd");
const Outcome kReread = done(Op::SettingsRead);
const Outcome kWriteDone = done(Op::Write);
const Outcome kNoAnswer = failed(Op::Write, "Common_LensCommunicationError");
const Outcome kLensRefused = failed(Op::Write, "Common_LensError");
const Outcome kUpdateError = failed(Op::FirmwareUpdate, "Firmware_UpdateError");
const Outcome kDownloadError = failed(Op::FirmwareUpdate, "Firmware_DownLoadError");

// The same expectation for several faults of one row.
void add(QList<Cell>& cells, Row row, std::initializer_list<Fault> faults, QList<Outcome> outcomes,
         ConnectState state, bool portOpen, bool autoConnecting = false) {
    for (Fault f : faults)
        cells.append({row, f, outcomes, state, portOpen, autoConnecting});
}

// What each operation must come to under each fault, from the description of its flow.
// A lens that restarts to apply settings (zoom-e) keeps its connection through a removal
// and polls for the adapter; a lens on the adapter alone, not yet identified, reports it.
QList<Cell> matrix() {
    using F = Fault;
    const auto serialPasses = {F::Garbage, F::Split, F::Slow};
    const auto httpFails = {F::Http500, F::HttpSlow, F::HttpTruncated, F::HttpOversized,
                            F::HttpMalformed};
    QList<Cell> c;
    for (Row row : {Row::Connect, Row::ConnectBody}) {
        add(c, row, {F::NoReply, F::Refusal}, {kConnectLoadError}, NOT_CONNECT, false);
        add(c, row, serialPasses, {kConnected}, CONNECT_COMPLETE, true);
        add(c, row, {F::Http404}, {kConnected, kCheckDone}, CONNECT_COMPLETE, true);
        add(c, row, httpFails, {kConnected, kCheckFailed}, CONNECT_COMPLETE, true);
        add(c, row, {F::Replug}, {kConnectLoadError, kRemoved}, NOT_CONNECT, false);
    }
    add(c, Row::Connect, {F::Unplug}, {kConnectLoadError, kRemoved}, NOT_CONNECT, false);
    // Behind a camera body the adapter that stays away is polled for, not reported.
    add(c, Row::ConnectBody, {F::Unplug}, {kConnectLoadError}, NOT_CONNECT, false);

    const Outcome rereadFailed = failed(Op::SettingsRead, "Home_LensSettingLoadError");
    add(c, Row::SettingsRead, {F::NoReply, F::Refusal, F::Unplug, F::Replug},
        {kResetDone, rereadFailed}, NOT_CONNECT, false);
    add(c, Row::SettingsRead, serialPasses, {kResetDone, kReread}, CONNECT_COMPLETE, true);

    add(c, Row::Write, {F::NoReply}, {kNoAnswer}, CONNECT_COMPLETE, true);
    add(c, Row::Write, {F::Refusal}, {kLensRefused}, CONNECT_COMPLETE, true);
    add(c, Row::Write, serialPasses, {kWriteDone}, CONNECT_COMPLETE, true);
    add(c, Row::Write, {F::Unplug}, {kNoAnswer}, CONNECT_COMPLETE, false, true);
    add(c, Row::Write, {F::Replug}, {kNoAnswer}, CONNECT_COMPLETE, true);

    const Outcome cancelFailed = failed(Op::CancelWriteBack);
    add(c, Row::CancelWriteBack, {F::NoReply}, {kNoAnswer, cancelFailed}, CONNECT_COMPLETE, true);
    add(c, Row::CancelWriteBack, {F::Refusal}, {kLensRefused, cancelFailed}, CONNECT_COMPLETE,
        true);
    add(c, Row::CancelWriteBack, serialPasses, {kWriteDone, done(Op::CancelWriteBack)},
        CONNECT_COMPLETE, true);
    add(c, Row::CancelWriteBack, {F::Unplug}, {kNoAnswer, cancelFailed}, CONNECT_COMPLETE, false,
        true);
    add(c, Row::CancelWriteBack, {F::Replug}, {kNoAnswer, cancelFailed}, CONNECT_COMPLETE, true);

    const Outcome resetFailed = failed(Op::Reset, "Home_SettingReturnError");
    // With the port gone the detach handling speaks for the reset.
    const Outcome resetLost = failed(Op::Reset, "Common_LensRemovalMessage");
    add(c, Row::Reset, {F::NoReply, F::Refusal}, {resetFailed}, CONNECT_COMPLETE, true);
    add(c, Row::Reset, serialPasses, {kResetDone, kReread}, CONNECT_COMPLETE, true);
    add(c, Row::Reset, {F::Unplug}, {resetLost}, CONNECT_COMPLETE, false, true);
    add(c, Row::Reset, {F::Replug}, {resetLost}, CONNECT_COMPLETE, true);

    const Outcome exportFailed = failed(Op::Export, "Home_SettingOutputError");
    add(c, Row::Export, {F::NoReply, F::Refusal}, {exportFailed}, CONNECT_COMPLETE, true);
    add(c, Row::Export, serialPasses, {done(Op::Export, "Home_SettingOutputEnd")}, CONNECT_COMPLETE,
        true);
    add(c, Row::Export, {F::Unplug}, {exportFailed}, CONNECT_COMPLETE, false, true);
    add(c, Row::Export, {F::Replug}, {exportFailed}, CONNECT_COMPLETE, true);

    const Outcome importFailed = failed(Op::Import, "Home_SettingInputError");
    add(c, Row::Import, {F::NoReply, F::Refusal}, {importFailed}, CONNECT_COMPLETE, true);
    add(c, Row::Import, serialPasses, {done(Op::Import, "Home_SettingInputEnd"), kReread},
        CONNECT_COMPLETE, true);
    add(c, Row::Import, {F::Unplug}, {importFailed}, CONNECT_COMPLETE, false, true);
    add(c, Row::Import, {F::Replug}, {importFailed}, CONNECT_COMPLETE, true);

    // Every end of a transfer closes the port; a failure, once answered, ends the connection.
    for (Row row : {Row::Firmware, Row::FirmwareSwitch}) {
        add(c, row,
            {F::NoReply, F::Unplug, F::Replug, F::Http404, F::Http500, F::HttpOversized,
             F::HttpMalformed},
            {kUpdateError}, NOT_CONNECT, false);
        add(c, row, {F::HttpSlow, F::HttpTruncated}, {kDownloadError}, NOT_CONNECT, false);
    }
    add(c, Row::Firmware, {F::Refusal}, {kUpdateError}, NOT_CONNECT, false);
    // The switch's connection request only has to be answered, whatever it says.
    add(c, Row::FirmwareSwitch, {F::Refusal, F::Garbage, F::Split, F::Slow},
        {done(Op::FirmwareUpdate)}, CONNECT_COMPLETE, false);

    const Outcome safeLoadError = failed(Op::SafeModeUpdate, "Home_LensSettingLoadError");
    add(c, Row::SafeMode, {F::NoReply, F::Refusal}, {kConnected, safeLoadError}, NOT_CONNECT,
        false);
    add(c, Row::SafeMode, {F::Unplug, F::Replug}, {kConnected, safeLoadError, kRemoved},
        NOT_CONNECT, false);
    add(c, Row::SafeMode, serialPasses, {kConnected, done(Op::SafeModeUpdate)}, CONNECT_COMPLETE,
        false);
    // A catalogue that is not there is no failure: the package address then names nothing.
    add(c, Row::SafeMode, {F::Http404},
        {kConnected, failed(Op::SafeModeUpdate, "Firmware_UpdateError")}, NOT_CONNECT, false);
    add(c, Row::SafeMode, httpFails,
        {kConnected, failed(Op::SafeModeUpdate, "Common_NetworkError")}, NOT_CONNECT, false);

    add(c, Row::Disconnect,
        {F::NoReply, F::Refusal, F::Garbage, F::Split, F::Slow, F::Unplug, F::Replug},
        {done(Op::Disconnect)}, NOT_CONNECT, false);
    return c;
}

QString describe(const QList<Outcome>& list) {
    QStringList parts;
    for (const Outcome& o : list)
        parts.append(
            QStringLiteral("%1/%2/%3").arg(int(o.operation)).arg(int(o.result)).arg(o.textId));
    parts.sort();
    return QLatin1Char('[') + parts.join(QStringLiteral(", ")) + QLatin1Char(']');
}

} // namespace

class TestFaultMatrix : public QObject {
    Q_OBJECT

    static constexpr int kReplyMs = 250;
    static constexpr int kSlowReplyMs = 100; // well inside the reply time-out
    // Back after the reply time-out, well before a camera body's second look (0.5 s);
    // found by the auto-connect tick after that.
    static constexpr int kReplugMs = 300;
    static constexpr int kHttpTimeoutMs = 500;
    static constexpr int kCellLimitMs = 10000; // no cell may take longer to end
    static constexpr int kFirmwareImage = 3 * 1024 + 100;

    const std::shared_ptr<Environment> environment = Environment::create();
    test::DiagnosticCapture capture;
    sim::UpdateServer server;
    std::unique_ptr<sim::VirtualLens> lens;
    std::unique_ptr<AppViewModel> app;
    test::ChosenFile dialogs;
    QTemporaryDir files;
    QList<Outcome> outcomes;
    QByteArray importImage;

    static sim::LensProfile profile(const char* preset) {
        sim::LensProfile p = *sim::LensProfile::preset(QString::fromLatin1(preset));
        p.firmwareImageSize = kFirmwareImage; // a short transfer
        return p;
    }

    // Lets the program run for up to ms, answering every message (yes to questions),
    // until `until` holds; whether it did.
    bool run(int ms, const std::function<bool()>& until) {
        QElapsedTimer clock;
        clock.start();
        for (;;) {
            MessageViewModel* box = app->message();
            if (box->show_message()) {
                if (box->button_mode() == ButtonMode::OK)
                    box->respondOk();
                else
                    box->respondYes();
            }
            if (until && until())
                return true;
            if (clock.elapsed() >= ms)
                return false;
            QTest::qWait(5);
        }
    }

    bool ended(const Outcome& expected) {
        return run(kCellLimitMs, [&] { return outcomes.contains(expected); }) &&
               outcomes.removeOne(expected);
    }

    // A fresh lens and controller for the cell's operation, brought up to where the
    // operation starts; empty when that worked.
    QString prepare(const Cell& cell) {
        app.reset();
        LensClient::transport().closePort();
        lens.reset();
        server.clearFaults();
        const sim::LensProfile p = profile(kLines[int(cell.row)].preset);
        server.addLens(p);
        lens = std::make_unique<sim::VirtualLens>(p);
        QString error;
        if (!lens->start({}, &error))
            return error;
        LensClient::install(*environment, std::make_shared<UsbSerialInterface>(),
                            std::make_shared<UsbSerialPortList>(0x1234, lens->linkPath()));
        app = std::make_unique<AppViewModel>();
        app->setFileDialogs(&dialogs);
        outcomes.clear();
        connect(app.get(), &AppViewModel::operationFinished, this,
                [this](const Outcome& o) { outcomes.append(o); });

        const Row row = cell.row;
        if (row == Row::Connect || row == Row::ConnectBody || row == Row::SafeMode)
            return {};
        app->connectLens(true);
        if (!ended(kConnected))
            return QStringLiteral("no connection");
        // The update needs the package named by the lens's catalogue.
        if (row == Row::Firmware || row == Row::FirmwareSwitch)
            return ended(kCheckDone) ? QString() : QStringLiteral("no catalogue");
        if (row == Row::Write || row == Row::CancelWriteBack)
            app->popup()->openPopup(
                PopupId::RingDirection, -1, [] {}, [] {});
        // Settings away from the factory image, so that a reset or a write-back changes them.
        if (row == Row::SettingsRead || row == Row::Reset || row == Row::CancelWriteBack) {
            app->lens_setting()->setDirection(1);
            if (!ended(kWriteDone))
                return QStringLiteral("no first write");
        }
        if (row == Row::Export) {
            dialogs.path = files.filePath(QStringLiteral("export.vdat"));
            QFile::remove(dialogs.path);
        } else if (row == Row::Import) {
            importImage = lens->settingsImage();
            importImage[1] = 1;
            const Bytes file =
                SettingsFile::build(app->basic_info()->identityHeader(), toBytes(importImage));
            dialogs.path = files.filePath(QStringLiteral("import.vdat"));
            QFile out(dialogs.path);
            if (!out.open(QIODevice::WriteOnly) || out.write(toQByteArray(file)) != 530)
                return QStringLiteral("no settings file");
        }
        return {};
    }

    void arm(const Cell& cell) {
        const Line& line = kLines[int(cell.row)];
        const sim::LensProfile p = lens->profile();
        switch (cell.fault) {
        case Fault::NoReply:
            if (line.step)
                lens->setNoReply(1, line.step);
            else
                lens->setBlockFault(2, sim::FaultPlan::BlockFault::Silence);
            return;
        case Fault::Refusal:
            if (line.step)
                lens->setRefusal(0x80, 1, line.step);
            else
                lens->setBlockFault(2, sim::FaultPlan::BlockFault::Nak);
            return;
        case Fault::Garbage:
            lens->setGarbage(sim::FaultPlan::kForever);
            return;
        case Fault::Split:
            lens->setSplit(sim::FaultPlan::kForever);
            return;
        case Fault::Slow:
            lens->setReplyDelay(kSlowReplyMs);
            return;
        case Fault::Unplug:
        case Fault::Replug: {
            const int replug = cell.fault == Fault::Replug ? kReplugMs : 0;
            if (line.step)
                lens->unplugOnFunction(quint8(line.step), replug);
            else
                lens->unplugAtBlock(2, replug);
            return;
        }
        default: // the HTTP faults, in the order of the server's kinds
            break;
        }
        sim::HttpFault http;
        http.kind =
            sim::HttpFault::Kind(sim::HttpFault::NotFound + int(cell.fault) - int(Fault::Http404));
        http.delayMs = 3 * kHttpTimeoutMs; // used by Slow only
        server.setFault(line.catalogue ? sim::UpdateServer::cataloguePath(p)
                                       : sim::UpdateServer::packagePath(p),
                        http);
    }

    QList<Outcome> relevant(const Cell& cell) const {
        const bool checks =
            std::any_of(cell.outcomes.begin(), cell.outcomes.end(),
                        [](const Outcome& o) { return o.operation == Operation::FirmwareCheck; });
        QList<Outcome> seen;
        for (const Outcome& o : outcomes)
            if (o.operation != Operation::UtilityCheck &&
                (checks || o.operation != Operation::FirmwareCheck))
                seen.append(o);
        return seen;
    }

    bool settled(const Cell& cell) const {
        return app->connectState() == cell.state &&
               LensClient::transport().isPortOpen() == cell.portOpen &&
               app->isAutoConnecting() == cell.autoConnecting && !app->message()->show_message();
    }

    // The lens's settings after the cell: unchanged, what the operation was to leave,
    // or the image before it kept in the automatic backup.
    QString settingsProblem(const Cell& cell, const QByteArray& before, bool allDone) const {
        const QByteArray now = lens->settingsImage();
        QFile backup(app->lastBackup());
        const bool backedUp = !app->lastBackup().isEmpty() && backup.open(QIODevice::ReadOnly) &&
                              backup.readAll().mid(16, 512) == before;
        if (!app->lastBackup().isEmpty() && !backedUp)
            return QStringLiteral("the backup does not hold the settings the lens had");
        QByteArray intended = before;
        switch (cell.row) {
        case Row::Write:
            intended[1] = 1;
            break;
        case Row::CancelWriteBack:
            intended[1] = 0;
            break;
        case Row::SettingsRead:
        case Row::Reset:
            intended = lens->profile().factorySettings;
            break;
        case Row::Import:
            intended = importImage;
            break;
        default:
            break;
        }
        if (allDone && now != intended)
            return QStringLiteral("the lens did not take the operation's settings");
        if (!allDone && now != before && !backedUp) {
            // A single write the lens took is the user's change, as long as the program
            // shows what the lens holds.
            QByteArray other = now;
            other[1] = before[1];
            const bool single = cell.row == Row::Write || cell.row == Row::CancelWriteBack;
            if (!single || other != before)
                return QStringLiteral("settings changed and not in a backup");
        }
        if ((cell.row == Row::Write || cell.row == Row::CancelWriteBack) &&
            app->lens_setting()->direction() != quint8(now[1]))
            return QStringLiteral("the program shows direction %1, the lens holds %2")
                .arg(app->lens_setting()->direction())
                .arg(quint8(now[1]));
        // What a completed read leaves in the program is what the lens holds.
        if ((cell.outcomes.contains(kConnected) || cell.outcomes.contains(kReread)) &&
            cell.row != Row::SafeMode && toQByteArray(app->lens_setting()->e2p()) != now)
            return QStringLiteral("the program's settings image differs from the lens's");
        if (cell.row == Row::Export && allDone) {
            QFile file(dialogs.path);
            if (!file.open(QIODevice::ReadOnly) || file.readAll().mid(16, 512) != now)
                return QStringLiteral("the exported file does not hold the lens's settings");
        }
        const bool transfer = cell.row == Row::Firmware || cell.row == Row::FirmwareSwitch ||
                              cell.row == Row::SafeMode;
        if (transfer && lens->installedImages().isEmpty() == allDone)
            return QStringLiteral("%1 images installed").arg(lens->installedImages().size());
        return {};
    }

    // Runs one cell; empty when it passed, else what went wrong.
    QString runCell(const Cell& cell, qint64* elapsedMs) {
        capture.clear();
        const QString setup = prepare(cell);
        if (!setup.isEmpty())
            return QStringLiteral("setup: ") + setup;
        outcomes.clear();
        const QByteArray before = lens->settingsImage();
        arm(cell);
        QElapsedTimer clock;
        clock.start();
        kLines[int(cell.row)].act(*app);

        const auto arrived = [&] {
            QList<Outcome> seen = relevant(cell);
            for (const Outcome& o : cell.outcomes)
                if (!seen.removeOne(o))
                    return false;
            return true;
        };
        const bool ended = run(kCellLimitMs, arrived);
        run(kCellLimitMs - int(clock.elapsed()), [&] { return settled(cell); });
        *elapsedMs = clock.elapsed();
        run(kLines[int(cell.row)].settleMs, {});

        if (!ended)
            return QStringLiteral("did not end: %1, expected %2")
                .arg(describe(relevant(cell)), describe(cell.outcomes));
        if (describe(relevant(cell)) != describe(cell.outcomes))
            return QStringLiteral("outcomes %1, expected %2")
                .arg(describe(relevant(cell)), describe(cell.outcomes));
        if (!settled(cell))
            return QStringLiteral("state %1, port %2, polling %3, message %4")
                .arg(app->connectState())
                .arg(LensClient::transport().isPortOpen())
                .arg(app->isAutoConnecting())
                .arg(app->message()->message_id());
        if (app->lock())
            return QStringLiteral("settings stay locked");
        const bool allDone = std::all_of(cell.outcomes.begin(), cell.outcomes.end(),
                                         [](const Outcome& o) { return o.done(); });
        return settingsProblem(cell, before, allDone);
    }

  private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QString error;
        QVERIFY2(server.start(0, &error), qPrintable(error));
        Timings t;
        t.replyTimeout = kReplyMs / 1000.0;
        t.firmwareFirstTimeout = 1.0;
        t.modeSwitchSettle = 0.05;
        t.modeSwitchRestart = 0.02;
        t.autoConnectInterval = 0.5;
        t.httpTimeout = kHttpTimeoutMs / 1000.0;
        environment->setTimings(t);
        environment->setHttpClient(std::make_shared<QtHttpClient>());
        environment->setUpdateBaseUrl(server.baseUrl());
    }

    void cleanupTestCase() {
        app.reset();
        LensClient::transport().closePort();
        lens.reset();
    }

    void everyOperationUnderEveryFault() {
        const QList<Cell> cells = matrix();
        constexpr int rows = int(std::size(kLines));
        QList<QByteArray> grid(rows, QByteArray(kFaults, '-'));
        QStringList failures;
        int passed = 0;
        qint64 slowest = 0;
        for (const Cell& cell : cells) {
            // A cell listed twice would hide one of its runs.
            QCOMPARE(grid[int(cell.row)][int(cell.fault)], '-');
            qint64 elapsed = 0;
            const QString problem = runCell(cell, &elapsed);
            slowest = std::max(slowest, elapsed);
            grid[int(cell.row)][int(cell.fault)] = problem.isEmpty() ? 'P' : 'F';
            if (problem.isEmpty())
                ++passed;
            else
                failures.append(QStringLiteral("%1 / %2: %3")
                                    .arg(QLatin1String(kLines[int(cell.row)].name),
                                         QLatin1String(kFaultNames[int(cell.fault)]), problem));
        }

        QString table = QStringLiteral("%1").arg(QString(), -18);
        for (const char* name : kFaultNames)
            table += QStringLiteral(" %1").arg(QLatin1String(name), 7);
        for (int r = 0; r < rows; ++r) {
            table += QStringLiteral("\n%1").arg(QLatin1String(kLines[r].name), -18);
            for (char mark : grid[r])
                table += QStringLiteral(" %1").arg(QChar(QLatin1Char(mark)), 7);
        }
        std::printf("%s\ncells run %d, cells passed %d, slowest %lld ms\n", qPrintable(table),
                    int(cells.size()), passed, static_cast<long long>(slowest));
        for (const QString& f : failures)
            std::printf("FAILED %s\n", qPrintable(f));
        std::fflush(stdout);
        QCOMPARE(passed, int(cells.size()));
    }
};

QTEST_GUILESS_MAIN(TestFaultMatrix)
#include "tst_fault_matrix.moc"
