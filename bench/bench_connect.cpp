// Prints the time from connectLens to CONNECT_COMPLETE against the virtual lens with
// 19,200 baud line-rate emulation, beside the wire time of the bytes exchanged.
#include "VirtualLens.h"
#include "controller/AppViewModel.h"
#include "link/LensClient.h"
#include "platform/Environment.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <mutex>
#include <vector>

using namespace kelvara;

namespace {

constexpr int RUNS = 5;
constexpr double BITS_PER_BYTE = 10.0; // 8 data bits, start and stop bit
constexpr double BAUD = 19200.0;

int bytesIn(const QString& line, const QString& prefix) {
    return line.startsWith(prefix) ? int(line.mid(prefix.size()).split(' ', Qt::SkipEmptyParts).size())
                                   : 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const auto environment = Environment::create();
    // No update server: the catalogue checks fail at once and take no line time.
    environment->setUpdateBaseUrl(QStringLiteral("file:///nonexistent"));
    sim::VirtualLens lens(*sim::LensProfile::preset(QStringLiteral("zoom-e")));
    QString error;
    if (!lens.start({}, &error)) {
        std::fprintf(stderr, "virtual lens: %s\n", qPrintable(error));
        return 1;
    }
    lens.setLineRateEmulation(true);
    LensClient::install(*environment, std::make_shared<UsbSerialInterface>(),
                        std::make_shared<UsbSerialPortList>(0, lens.linkPath()));

    std::mutex mutex;
    int sent = 0;
    int received = 0;
    environment->setDiagnosticSink([&](const QString& line) {
        std::lock_guard lock(mutex);
        sent += bytesIn(line, QStringLiteral("Send Command : "));
        received += bytesIn(line, QStringLiteral("Recv Response : "));
    });

    AppViewModel controller;
    std::vector<double> times;
    for (int run = 0; run < RUNS; ++run) {
        {
            std::lock_guard lock(mutex);
            sent = received = 0;
        }
        QEventLoop loop;
        QObject::connect(&controller, &AppViewModel::connect_stateChanged, &loop, [&] {
            if (controller.connectState() == CONNECT_COMPLETE)
                loop.quit();
        });
        QTimer::singleShot(10000, &loop, [&] { loop.exit(1); });
        QElapsedTimer clock;
        clock.start();
        controller.connectLens(true);
        if (loop.exec() != 0) {
            std::fprintf(stderr, "connect did not complete\n");
            return 1;
        }
        times.push_back(double(clock.nsecsElapsed()) / 1e6);
        controller.setConnect_state(NOT_CONNECT);
    }
    environment->setDiagnosticSink({});
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    const double wire = (sent + received) * BITS_PER_BYTE / BAUD * 1000.0;
    std::printf("connectLens -> CONNECT_COMPLETE, median of %d (ms): %8.1f\n", RUNS, median);
    std::printf("wire time of the %d bytes exchanged at 19,200 baud (ms): %8.1f\n",
                sent + received, wire);
    std::printf("ratio:                                         %8.2f\n", median / wire);
    // The virtual lens paces only its replies; against their wire time alone:
    const double replyWire = received * BITS_PER_BYTE / BAUD * 1000.0;
    std::printf("wire time of the %d reply bytes (ms):          %8.1f  ratio %.2f\n", received,
                replyWire, median / replyWire);
    return 0;
}
