// Prints the lens link's speed against the virtual lens on a pseudo-terminal:
//  - framed exchanges per second through LensClient (no line-rate emulation),
//  - the same round trip made with plain blocking read/write calls, and the ratio,
//  - the median host time per firmware block step (answer received -> next block written).
#include "VirtualLens.h"
#include "link/LensClient.h"
#include "platform/Environment.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <vector>

using namespace kelvara;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int EXCHANGES = 2000;
constexpr int BLOCKS = 400;

// Runs count exchanges one after another; returns the seconds they took.
double timeExchanges(int count) {
    QEventLoop loop;
    int left = count;
    std::function<void()> next;
    next = [&] {
        LensClient::exchange(CommDataFormat::buildConnect(), [&](bool ok, const Bytes&) {
            QMetaObject::invokeMethod(&loop, [&, ok] {
                if (!ok) {
                    std::fprintf(stderr, "exchange failed\n");
                    loop.exit(1);
                } else if (--left == 0) {
                    loop.exit(0);
                } else {
                    next();
                }
            }, Qt::QueuedConnection);
        });
    };
    QElapsedTimer clock;
    clock.start();
    next();
    if (loop.exec() != 0)
        return -1;
    return double(clock.nsecsElapsed()) / 1e9;
}

// The same request and reply with nothing but blocking system calls.
double timePlainRoundTrips(const QString& path, int count) {
    const int fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    if (fd < 0)
        return -1;
    termios tio{};
    tcgetattr(fd, &tio);
    cfmakeraw(&tio);
    tcsetattr(fd, TCSANOW, &tio);
    const unsigned char request[] = {0x0F, 0x01, 0x00, 0x00, 0x02, 0x00, 0xF8, 0x00, 0xA3, 0x16, 0xF0};
    unsigned char reply[64];
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < count; ++i) {
        if (::write(fd, request, sizeof request) != ssize_t(sizeof request))
            return -1;
        std::size_t have = 0;
        while (have < 11) { // the connect reply is 11 bytes
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, 1000) <= 0)
                return -1;
            const ssize_t n = ::read(fd, reply + have, sizeof reply - have);
            if (n <= 0)
                return -1;
            have += std::size_t(n);
        }
    }
    const double seconds = double(clock.nsecsElapsed()) / 1e9;
    ::close(fd);
    return seconds;
}

// Sends BLOCKS blocks back to back and returns the host's step times in milliseconds,
// read off the diagnostic lines: the answer's "Recv ..." line and the next block's
// "Send Command : 02 ..." line.
std::vector<double> blockSteps() {
    std::mutex mutex;
    std::vector<std::pair<bool, Clock::time_point>> marks; // true: answer, false: block sent
    FILE* sink = std::fopen("/dev/null", "w");
    Environment::current()->setDiagnosticSink([&](const QString& line) {
        const auto now = Clock::now();
        const QByteArray utf8 = line.toUtf8();
        std::fwrite(utf8.constData(), 1, std::size_t(utf8.size()), sink); // the program prints them
        std::lock_guard lock(mutex);
        if (line.startsWith(QLatin1String("Recv ACK")))
            marks.push_back({true, now});
        else if (line.startsWith(QLatin1String("Send Command : 02 ")))
            marks.push_back({false, now});
    });

    QEventLoop loop;
    int left = BLOCKS;
    const Bytes data(1024, 0xA5);
    std::function<void(bool, const Bytes&)> answered;
    answered = [&](bool ok, const Bytes& bytes) {
        if (!ok || (left < BLOCKS && bytes.front() != 0x06)) {
            QMetaObject::invokeMethod(&loop, [&] { loop.exit(1); }, Qt::QueuedConnection);
            return;
        }
        if (left-- == 0) {
            QMetaObject::invokeMethod(&loop, [&] { loop.exit(0); }, Qt::QueuedConnection);
            return;
        }
        LensClient::sendFirmwareBlock(data, answered);
    };
    LensClient::startFirmwareUpdate(UpdateMode::NORMAL, 1, 0, 0, answered);
    const int rc = loop.exec();
    LensClient::transport().firmwareUpdating = false;
    Environment::current()->setDiagnosticSink({});
    std::fclose(sink);

    std::vector<double> steps;
    if (rc != 0)
        return steps;
    for (std::size_t i = 1; i < marks.size(); ++i)
        if (marks[i - 1].first && !marks[i].first)
            steps.push_back(std::chrono::duration<double, std::milli>(marks[i].second - marks[i - 1].second).count());
    return steps;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? -1 : values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const auto environment = Environment::create();
    sim::VirtualLens lens(*sim::LensProfile::preset(QStringLiteral("zoom-e")));
    QString error;
    if (!lens.start({}, &error)) {
        std::fprintf(stderr, "virtual lens: %s\n", qPrintable(error));
        return 1;
    }
    LensClient::install(*environment, std::make_shared<UsbSerialInterface>(),
                        std::make_shared<UsbSerialPortList>(0, lens.linkPath()));
    environment->setDiagnosticSink([](const QString&) {}); // thousands of frame lines
    if (!LensClient::openAdapterPort({}))
        return 1;
    const double ours = timeExchanges(EXCHANGES);
    environment->setDiagnosticSink({});
    LensClient::transport().closePort();
    const double plain = timePlainRoundTrips(lens.linkPath(), EXCHANGES);
    if (ours <= 0 || plain <= 0) {
        std::fprintf(stderr, "round trips failed\n");
        return 1;
    }
    std::printf("framed exchanges per second (LensClient):      %8.0f\n", EXCHANGES / ours);
    std::printf("plain blocking round trips per second:          %8.0f\n", EXCHANGES / plain);
    std::printf("time per exchange, ours / plain:                %8.2f\n", ours / plain);

    environment->setDiagnosticSink([](const QString&) {});
    if (!LensClient::openAdapterPort({}))
        return 1;
    environment->setDiagnosticSink({});
    const std::vector<double> steps = blockSteps();
    if (steps.empty()) {
        std::fprintf(stderr, "firmware blocks failed\n");
        return 1;
    }
    std::printf("firmware block step, median host time (ms):     %8.3f  (%zu steps)\n",
                median(steps), steps.size());
    return 0;
}
