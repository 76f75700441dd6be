// Prints the firmware update's speed against the virtual lens on a pseudo-terminal:
//  (a) a 1 MiB image with the lens emulating the line at the host's 3,000,000 baud:
//      payload throughput as a fraction of the stop-and-wait wire limit
//      (1029 bytes out and one byte back per 1024 payload bytes);
//  (b) without line-rate emulation: median host time per block step
//      (answer received -> next block written), through FirmwareUpdateModel;
//  (c) decoding a 16 MiB package, in MB/s.
#include "FirmwarePackage.h"
#include "VirtualLens.h"
#include "firmware/DecodeFirmware.h"
#include "firmware/FirmwareUpdateModel.h"
#include "link/LensClient.h"
#include "platform/Environment.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <vector>

using namespace kelvara;

namespace {

using Clock = std::chrono::steady_clock;

const QString keyText = QString(64, u'5');

QByteArray imageData(int size, int seed) {
    QByteArray data(size, char(0));
    for (int i = 0; i < size; ++i)
        data[i] = char((i * 167 + seed * 31 + (i >> 9)) & 0xFF);
    return data;
}

struct Marks {
    std::mutex mutex;
    std::vector<Clock::time_point> acks;  // block answers
    std::vector<Clock::time_point> sends; // block writes
};

// Runs one update of a package file; returns the final state, or -1 if it never ended.
int runUpdate(const QString& packageFile, sim::VirtualLens& lens, Marks& marks) {
    Environment::current()->setDiagnosticSink([&](const QString& line) {
        const auto now = Clock::now();
        std::lock_guard lock(marks.mutex);
        if (line.startsWith(QLatin1String("Recv ACK")))
            marks.acks.push_back(now);
        else if (line.startsWith(QLatin1String("Send Command : 02 ")))
            marks.sends.push_back(now);
    });
    LensClient::install(*Environment::current(), std::make_shared<UsbSerialInterface>(),
                        std::make_shared<UsbSerialPortList>(0, lens.linkPath()));
    if (!LensClient::openAdapterPort({}))
        return -1;
    FirmwareUpdateModel model;
    QEventLoop loop;
    int result = -1;
    QObject::connect(&model, &FirmwareUpdateModel::updateFinished, &loop, [&](UpdateState state) {
        result = int(state);
        loop.quit();
    });
    model.startUpdate(UpdateMode::NORMAL, QUrl::fromLocalFile(packageFile).toString(), keyText, {});
    loop.exec();
    Environment::current()->setDiagnosticSink({});
    return result;
}

double median(std::vector<double> v) {
    if (v.empty())
        return -1;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const auto environment = Environment::create();
    QTemporaryDir dir;
    const QString packageFile = dir.filePath(QStringLiteral("bench.bin"));
    {
        QFile file(packageFile);
        const QByteArray package =
            sim::FirmwarePackage::build({{1, 0, 1, imageData(1 << 20, 1)}}, keyText);
        if (!file.open(QIODevice::WriteOnly) || file.write(package) != package.size())
            return 1;
    }
    sim::VirtualLens lens(*sim::LensProfile::preset(QStringLiteral("zoom-e")));
    QString error;
    if (!lens.start({}, &error)) {
        std::fprintf(stderr, "virtual lens: %s\n", qPrintable(error));
        return 1;
    }

    // (a) with the line emulated.
    lens.setLineRateEmulation(true);
    Marks emulated;
    if (runUpdate(packageFile, lens, emulated) != int(UpdateState::Complete)) {
        std::fprintf(stderr, "emulated update failed\n");
        return 1;
    }
    const int baud = 3000000;
    const std::size_t acked = emulated.acks.size();
    // From the first block's answer to the last one: acked - 1 block round trips.
    const double seconds =
        std::chrono::duration<double>(emulated.acks.back() - emulated.acks.front()).count();
    const double achieved = double(acked - 1) * 1024.0 / seconds;
    const double limit = 1024.0 / (1030.0 * 10.0 / baud);
    std::vector<double> roundTrips; // block written -> its answer
    for (std::size_t i = 0; i < acked && i < emulated.sends.size(); ++i)
        roundTrips.push_back(
            std::chrono::duration<double, std::milli>(emulated.acks[i] - emulated.sends[i])
                .count());
    std::printf("(a) 1 MiB at %d baud: %.0f payload bytes/s, wire limit %.0f, fraction %.3f"
                "  (%zu blocks; median block round trip %.3f ms, wire time %.3f ms)\n",
                baud, achieved, limit, achieved / limit, acked, median(roundTrips),
                1030.0 * 10.0 / baud * 1000.0);

    // (b) without emulation.
    lens.setLineRateEmulation(false);
    lens.resetCounters();
    Marks fast;
    if (runUpdate(packageFile, lens, fast) != int(UpdateState::Complete)) {
        std::fprintf(stderr, "update failed\n");
        return 1;
    }
    std::vector<double> steps;
    // Send i+1 follows answer i (the first send is the leading block, before any answer).
    for (std::size_t i = 0; i + 1 < fast.sends.size() && i < fast.acks.size(); ++i)
        steps.push_back(
            std::chrono::duration<double, std::milli>(fast.sends[i + 1] - fast.acks[i]).count());
    std::printf("(b) block step, median host time: %.3f ms  (%zu steps)\n", median(steps),
                steps.size());

    // (c) decoding 16 images of 1 MiB.
    QList<sim::FirmwarePackage::Image> images;
    for (int i = 0; i < 16; ++i)
        images.append({quint8(i), 0, 1, imageData(1 << 20, i)});
    const QByteArray package = sim::FirmwarePackage::build(images, keyText);
    environment->setDiagnosticSink([](const QString&) {});
    double best = 1e9;
    for (int round = 0; round < 5; ++round) {
        std::vector<OutputDecrypt> out;
        DecodeFirmware decoder;
        QElapsedTimer clock;
        clock.start();
        const int count = decoder.decode(package, out, keyText);
        best = std::min(best, double(clock.nsecsElapsed()) / 1e9);
        if (count != 16)
            return 1;
    }
    environment->setDiagnosticSink({});
    std::printf("(c) decoding %.1f MiB: %.0f MB/s\n", package.size() / 1048576.0,
                package.size() / best / 1e6);
    lens.stop();
    return 0;
}
