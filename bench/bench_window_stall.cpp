// Prints the longest stall of the GUI thread while the window updates the virtual lens's
// firmware, as the user would start it from the firmware page. A timer due every few
// milliseconds notes how late each tick comes, from the confirmation until the transfer
// is complete. Run offscreen with software rendering, so the frames are drawn on the GUI
// thread too; the lens emulates the line at the transfer's 3,000,000 baud.
#include "VirtualLens.h"
#include "WindowHarness.h"

#include "controller/AppViewModel.h"
#include "controller/ConnectState.h"
#include "platform/Environment.h"
#include "ui/MessageViewModel.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace kelvara;

namespace {

constexpr int TICK_MS = 4;
constexpr int FIRMWARE_IMAGE_SIZE = 1024 * 1024;

// Runs the event loop until `done` holds or `timeoutMs` passes; false on time-out.
bool runUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 10);
    }
    return true;
}

int fail(const char* what) {
    std::fprintf(stderr, "bench_window_stall: %s\n", what);
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    QTemporaryDir userFiles;
    if (!userFiles.isValid())
        return fail("no temporary directory");
    WindowHarness::isolateUserFiles(userFiles.path());

    // A 1 MiB firmware image: a transfer of several seconds, long enough to be measured.
    const QString profile = WindowHarness::writeProfile(
        userFiles.path(), QStringLiteral("zoom-e"),
        {{QStringLiteral("firmwareImageSize"), FIRMWARE_IMAGE_SIZE}});
    if (profile.isEmpty())
        return fail("the lens profile could not be written");
    WindowHarness ui;
    // The link's lines would swamp the figures.
    ui.environment().setDiagnosticSink([](const QString&) {});
    QString error;
    if (!ui.start({profile}, &error))
        return fail(qPrintable(error));
    ui.lens().setLineRateEmulation(true);
    AppViewModel& vm = ui.vm();
    MessageViewModel& message = *vm.message();

    vm.connectLens(false);
    if (!runUntil([&] { return vm.connect_state() == CONNECT_COMPLETE && !vm.lock(); }, 20000))
        return fail("the lens did not connect");
    vm.startFirmwareUpdate();
    if (!runUntil([&] { return message.show_message(); }, 5000))
        return fail("no confirmation was asked");

    std::vector<double> lateness;
    QElapsedTimer clock;
    qint64 last = 0;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    probe.setInterval(TICK_MS);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        lateness.push_back(std::max(0.0, double(now - last) / 1e6 - TICK_MS));
        last = now;
    });
    clock.start();
    probe.start();
    message.respondYes();
    const bool complete = runUntil([&] { return vm.download_state() == 2 || message.show_message(); },
                                   120000);
    const double seconds = double(clock.nsecsElapsed()) / 1e9;
    probe.stop();
    if (!complete || vm.download_state() != 2)
        return fail("the firmware update did not complete");

    std::sort(lateness.begin(), lateness.end());
    const double longest = lateness.empty() ? 0 : lateness.back();
    const double p99 = lateness.empty() ? 0 : lateness[lateness.size() * 99 / 100];
    std::printf("(c) GUI thread during a firmware update through the window: longest stall "
                "%.1f ms, 99th percentile %.1f ms (%zu ticks of %d ms over %.1f s; aim: no "
                "stall over 50 ms)\n",
                longest, p99, lateness.size(), TICK_MS, seconds);
    return longest <= 50 ? 0 : 2;
}
