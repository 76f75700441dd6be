// Soak: N connect/read/disconnect cycles and M firmware updates through one controller
// against the virtual lens, each with a fault picked at random (seeded) from the lens's
// control commands. Prints every outcome that differs from what the fault must lead to,
// the open descriptors and resident memory after warming up and at the end, and the time
// per cycle.
//   soak [-n N] [-m M] [-s SEED]
#include "UpdateServer.h"
#include "VirtualLens.h"
#include "controller/AppViewModel.h"
#include "link/LensClient.h"
#include "platform/Environment.h"
#include "platform/QtHttpClient.h"
#include "ui/ButtonMode.h"
#include "ui/MessageViewModel.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStringList>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>

using namespace kelvara;

namespace {

constexpr int kCycleLimitMs = 15000;
constexpr int kFirmwareImage = 8 * 1024 + 100;

struct Fault {
    const char* command; // a control command of the lens; empty for none
    QList<Outcome> outcomes;
};

Outcome outcome(Operation op, Outcome::Result result, const char* id = "") {
    return {op, result, QString::fromLatin1(id)};
}

const Outcome kConnected = outcome(Operation::Connect, Outcome::Done);
const Outcome kDisconnected = outcome(Operation::Disconnect, Outcome::Done);
const Outcome kRemoved =
    outcome(Operation::Disconnect, Outcome::Failed, "Common_LensRemovalMessage");
const Outcome kLoadError =
    outcome(Operation::Connect, Outcome::Failed, "Home_LensSettingLoadError");

// What a connect followed by a disconnect must come to under each fault.
const QList<Fault> kCycleFaults = {
    {"", {kConnected, kDisconnected}},
    {"garbage on", {kConnected, kDisconnected}},
    {"split on", {kConnected, kDisconnected}},
    {"slow 100", {kConnected, kDisconnected}},
    {"noreply 1 fn 0xF8",
     {outcome(Operation::Connect, Outcome::Failed, "Connect_LensConnectError")}},
    {"noreply 1 fn 0xF4", {kLoadError}},
    {"refuse 0x80 1 fn 0xF4", {kLoadError}},
    {"refuse 0x83 1 fn 0xF4",
     {outcome(Operation::Connect, Outcome::Failed, "Connect_CameraConnectionStatusError")}},
    {"noreply 1 fn 0xF9", {kConnected, kDisconnected}},
    {"unplug 200 fn 0xF4", {kLoadError, kRemoved}},
    {"unplug 200 fn 0xF9", {kConnected, kDisconnected, kRemoved}},
};

const Outcome kUpdateFailed =
    outcome(Operation::FirmwareUpdate, Outcome::Failed, "Firmware_UpdateError");
// %1: a block of the transfer.
const QList<Fault> kUpdateFaults = {
    {"", {outcome(Operation::FirmwareUpdate, Outcome::Done)}},
    {"block %1 nak", {kUpdateFailed}},
    {"block %1 silent", {kUpdateFailed}},
    {"eot1 ack", {kUpdateFailed}},
    {"eot2 can", {kUpdateFailed}},
    {"noreply 1 fn 0xFD", {kUpdateFailed}},
    {"unplug 200 block %1", {kUpdateFailed}},
};

QString describe(const QList<Outcome>& list) {
    QStringList parts;
    for (const Outcome& o : list)
        parts.append(
            QStringLiteral("%1/%2/%3").arg(int(o.operation)).arg(int(o.result)).arg(o.textId));
    parts.sort();
    return parts.join(QStringLiteral(", "));
}

int openDescriptors() {
    return int(QDir(QStringLiteral("/proc/self/fd"))
                   .entryList(QDir::NoDotAndDotDot | QDir::System | QDir::Files | QDir::Dirs)
                   .size());
}

qint64 residentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    return 0;
}

class Soak {
  public:
    Soak(sim::VirtualLens& lens, AppViewModel& app) : lens_(lens), app_(app) {
        QObject::connect(&app_, &AppViewModel::operationFinished, &app_, [this](const Outcome& o) {
            if (o.operation != Operation::UtilityCheck && o.operation != Operation::FirmwareCheck)
                seen_.append(o);
            checked_ |= o.operation == Operation::FirmwareCheck;
        });
    }

    // One connect with its reads, then a disconnect; empty when it went as it must.
    QString cycle(const Fault& fault) {
        begin(QString::fromLatin1(fault.command));
        app_.connectLens(true);
        run([&] {
            return std::any_of(seen_.begin(), seen_.end(),
                               [](const Outcome& o) { return o.operation == Operation::Connect; });
        });
        if (app_.connectState() == CONNECT_COMPLETE)
            app_.disconnectNow();
        return end(fault);
    }

    // One firmware update of a connected lens; empty when it went as it must.
    QString update(const Fault& fault, int block) {
        begin({});
        checked_ = false;
        app_.connectLens(true);
        if (!run([&] { return seen_.contains(kConnected) && checked_; }))
            return QStringLiteral("no connection for the update");
        seen_.clear();
        const QString command = QString::fromLatin1(fault.command);
        arm(command.contains(QLatin1String("%1")) ? command.arg(block) : command);
        app_.startFirmwareUpdate();
        return end(fault);
    }

  private:
    void begin(const QString& command) {
        seen_.clear();
        arm(command);
    }

    void arm(const QString& command) {
        if (!command.isEmpty())
            lens_.execute(command);
    }

    // Waits until every outcome of the fault arrived, then until the connection is over.
    QString end(const Fault& fault) {
        const auto arrived = [&] {
            QList<Outcome> left = seen_;
            for (const Outcome& o : fault.outcomes)
                if (!left.removeOne(o))
                    return false;
            return true;
        };
        const bool ended = run(arrived);
        if (seen_.contains(outcome(Operation::FirmwareUpdate, Outcome::Done)))
            app_.finishFirmwareUpdate(); // the completion page's button
        const bool over = run([&] {
            return app_.connectState() != CONNECTING && !app_.message()->show_message() &&
                   !app_.isAutoConnecting() && app_.connectState() != CONNECT_COMPLETE;
        });
        run([] { return false; }, 50); // late outcomes count too
        lens_.clearFaults();
        if (!lens_.isPlugged() && !run([&] { return lens_.isPlugged(); }, 2000))
            lens_.plug();
        const QString command = QString::fromLatin1(fault.command);
        if (!ended || describe(seen_) != describe(fault.outcomes))
            return QStringLiteral("'%1': %2, expected %3")
                .arg(command, describe(seen_), describe(fault.outcomes));
        if (!over || LensClient::transport().isPortOpen())
            return QStringLiteral("'%1': connection not over (state %2, port %3)")
                .arg(command)
                .arg(app_.connectState())
                .arg(LensClient::transport().isPortOpen());
        return {};
    }

    // Lets the program run, answering every message (yes to questions), until `until`
    // holds; whether it did.
    bool run(const std::function<bool()>& until, int limitMs = kCycleLimitMs) {
        QElapsedTimer clock;
        clock.start();
        for (;;) {
            MessageViewModel* box = app_.message();
            if (box->show_message()) {
                if (box->button_mode() == ButtonMode::OK)
                    box->respondOk();
                else
                    box->respondYes();
            }
            if (until())
                return true;
            if (clock.elapsed() >= limitMs)
                return false;
            QTest::qWait(2);
        }
    }

    sim::VirtualLens& lens_;
    AppViewModel& app_;
    QList<Outcome> seen_;
    bool checked_ = false;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    int cycles = 100;
    int updates = 10;
    quint32 seed = std::random_device{}();
    const QStringList args = application.arguments();
    for (int i = 1; i < args.size(); i += 2) {
        bool ok = i + 1 < args.size();
        const uint value = ok ? args.at(i + 1).toUInt(&ok) : 0;
        if (ok && args.at(i) == QLatin1String("-n"))
            cycles = int(value);
        else if (ok && args.at(i) == QLatin1String("-m"))
            updates = int(value);
        else if (ok && args.at(i) == QLatin1String("-s"))
            seed = value;
        else {
            std::fprintf(stderr, "usage: soak [-n CYCLES] [-m UPDATES] [-s SEED]\n");
            return 2;
        }
    }
    std::printf("seed %u, %d cycles, %d updates\n", seed, cycles, updates);
    std::mt19937 random(seed);

    const auto environment = Environment::create();
    environment->setDiagnosticSink([](const QString&) {});
    Timings t;
    t.replyTimeout = 0.25;
    t.firmwareFirstTimeout = 1.0;
    t.modeSwitchSettle = 0.05;
    t.modeSwitchRestart = 0.02;
    t.autoConnectInterval = 0.3;
    t.httpTimeout = 2.0;
    environment->setTimings(t);
    environment->setHttpClient(std::make_shared<QtHttpClient>());

    // A lens that does not restart to apply settings: a removal is always reported.
    sim::LensProfile profile = *sim::LensProfile::preset(QStringLiteral("zoom-e"));
    profile.firmwareType = 0;
    profile.firmwareImageSize = kFirmwareImage;
    sim::UpdateServer server;
    QString error;
    if (!server.start(0, &error)) {
        std::fprintf(stderr, "update server: %s\n", qPrintable(error));
        return 1;
    }
    server.addLens(profile);
    environment->setUpdateBaseUrl(server.baseUrl());
    sim::VirtualLens lens(profile);
    if (!lens.start({}, &error)) {
        std::fprintf(stderr, "virtual lens: %s\n", qPrintable(error));
        return 1;
    }
    LensClient::install(*environment, std::make_shared<UsbSerialInterface>(),
                        std::make_shared<UsbSerialPortList>(0, lens.linkPath()));
    AppViewModel app;
    Soak soak(lens, app);

    int unexpected = 0;
    const auto note = [&](const QString& problem) {
        if (problem.isEmpty())
            return;
        ++unexpected;
        std::printf("unexpected: %s\n", qPrintable(problem));
    };
    std::uniform_int_distribution<qsizetype> cycleFault(0, kCycleFaults.size() - 1);
    std::uniform_int_distribution<qsizetype> updateFault(0, kUpdateFaults.size() - 1);
    // Blocks 1 to 10 of the 10 the transfer has (a zero block and nine of data).
    std::uniform_int_distribution<int> block(1, 1 + (kFirmwareImage + 1023) / 1024);
    qint64 cycleTotalMs = 0;
    qint64 updateTotalMs = 0;
    const auto run = [&](int cycleCount, int updateCount) {
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < cycleCount; ++i)
            note(soak.cycle(kCycleFaults.at(cycleFault(random))));
        cycleTotalMs += clock.restart();
        for (int i = 0; i < updateCount; ++i)
            note(soak.update(kUpdateFaults.at(updateFault(random)), block(random)));
        updateTotalMs += clock.elapsed();
    };

    // The first cycles and update make what lives as long as the program does (the
    // network stack, Qt's caches, the malloc arenas of the threads); growth is counted
    // from there, so that it shows what each further cycle leaves behind.
    const qint64 rssLaunch = residentKiB();
    const int warmCycles = std::min(cycles, 20);
    const int warmUpdates = std::min(updates, 1);
    run(warmCycles, warmUpdates);
    const int fdStart = openDescriptors();
    const qint64 rssStart = residentKiB();
    run(cycles - warmCycles, updates - warmUpdates);
    const double cycleMs = cycles ? double(cycleTotalMs) / cycles : 0;
    const double updateMs = updates ? double(updateTotalMs) / updates : 0;

    const int fdEnd = openDescriptors();
    const qint64 rssEnd = residentKiB();
    std::printf("unexpected outcomes: %d\n", unexpected);
    std::printf("open descriptors: %d after warming up, %d at end\n", fdStart, fdEnd);
    std::printf("resident memory (KiB): %lld at launch, %lld after %d cycles and %d update(s), "
                "%lld at end, growth %.1f %%\n",
                static_cast<long long>(rssLaunch), static_cast<long long>(rssStart), warmCycles,
                warmUpdates, static_cast<long long>(rssEnd),
                rssStart ? 100.0 * double(rssEnd - rssStart) / double(rssStart) : 0.0);
    std::printf("time per connect/read/disconnect cycle (ms): %.1f\n", cycleMs);
    std::printf("time per firmware update (ms): %.1f\n", updateMs);
    return unexpected == 0 ? 0 : 1;
}
