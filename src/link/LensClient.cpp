#include "LensClient.h"

#include "platform/Diagnostics.h"
#include "platform/Environment.h"
#include "platform/MainThread.h"
#include "platform/Timings.h"
#include "platform/WorkerQueue.h"

#include <QThread>

#include <atomic>
#include <semaphore>

namespace kelvara {

namespace {

// The link objects of an environment.
struct Shared : Environment::Link {
    std::shared_ptr<UsbSerialInterface> transport;
    std::shared_ptr<UsbSerialPortList> ports;
    std::binary_semaphore exchangeLock{1};
    std::atomic<int> firmwareStepCounter{0};
};

std::shared_ptr<Shared> shared() {
    // Only this file gives an environment its link, so the link is always a Shared.
    return std::static_pointer_cast<Shared>(Environment::current()->link([] {
        auto fresh = std::make_shared<Shared>();
        // The transport is a QObject of the main thread.
        MainThread::call([&] { fresh->transport = std::make_shared<UsbSerialInterface>(); });
        fresh->ports = std::make_shared<UsbSerialPortList>();
        return fresh;
    }));
}

void sleepSeconds(double seconds) {
    QThread::usleep(static_cast<unsigned long>(seconds * 1e6));
}

// The link promises exactly one completion, even where a removal and a timeout could
// both report the same failure.
LensClient::Completion once(LensClient::Completion completion) {
    auto done = std::make_shared<std::atomic<bool>>(false);
    return [done, completion = std::move(completion)](bool ok, const Bytes& data) {
        if (!done->exchange(true))
            completion(ok, data);
    };
}

bool openFirst(Shared& s, const std::function<bool(const QString&)>& openOne) {
    for (const QString& path : s.ports->findAdapterPorts()) {
        Diagnostics::line(QStringLiteral("path = ") + path);
        if (openOne(path))
            return true;
    }
    return false;
}

bool openAdapter(Shared& s, std::function<void()> onRemove) {
    return openFirst(s, [&](const QString& path) { return s.transport->open(path, onRemove); });
}

bool reopenAdapter(Shared& s) {
    return openFirst(s, [&](const QString& path) { return s.transport->reopen(path); });
}

// Writes on the main thread and arms the wait in the same turn, so the reply cannot be
// processed before its wait is in force.
int sendAndWait(Shared& s, const std::function<int()>& send, LensClient::Completion completion,
                double seconds) {
    int code = UsbSerialInterface::NO_PORT;
    MainThread::call([&] {
        code = send();
        if (code == UsbSerialInterface::WRITTEN)
            s.transport->waitReply(std::move(completion), seconds);
    });
    return code;
}

// Framed exchange under the exchange lock, on the calling worker. A reply still awaited
// when the environment ends must not keep its link alive: the transport holds the wait.
void lockedExchange(const std::shared_ptr<Shared>& s, const CommDataFormat& frame,
                    LensClient::Completion completion) {
    if (!s->transport->isPortOpen())
        reopenAdapter(*s);
    s->exchangeLock.acquire();
    const int code = sendAndWait(
        *s, [&] { return s->transport->sendFrame(frame); },
        [link = std::weak_ptr<Shared>(s), completion](bool ok, const Bytes& data) {
            completion(ok, data);
            if (const auto held = link.lock())
                held->exchangeLock.release();
        },
        Timings::current().replyTimeout);
    if (code != UsbSerialInterface::WRITTEN) {
        completion(false, {});
        s->exchangeLock.release();
    }
}

void beginHandshake(Shared& s, const LensClient::Completion& completion) {
    s.transport->firmwareUpdating = true;
    sleepSeconds(Timings::current().lineSpeedSettle);
    s.transport->setLineSpeed(LensClient::FIRMWARE_BAUD);
    s.transport->waitReply(completion, Timings::current().firmwareFirstTimeout);
}

void switchAdapterMode(const std::shared_ptr<Shared>& s, std::uint8_t area,
                       const LensClient::Completion& completion) {
    const Timings t = Timings::current();
    sleepSeconds(t.modeSwitchSettle);
    s->transport->closePort();
    sleepSeconds(t.modeSwitchSettle);
    if (!openAdapter(*s, [completion] { completion(false, {}); })) {
        completion(false, {});
        return;
    }
    const auto afterConnect = [s, area, completion](bool ok, const Bytes&) {
        if (!ok) {
            completion(false, {});
            return;
        }
        // The reply arrives on the main thread; the pause and the second start belong
        // on a worker.
        WorkerQueue::post([s, area, completion] {
            sleepSeconds(Timings::current().modeSwitchRestart);
            const auto start = CommDataFormat::buildFirmwareUpdateStart(0, area);
            if (s->transport->sendFrame(start) != UsbSerialInterface::WRITTEN) {
                completion(false, {});
                return;
            }
            beginHandshake(*s, completion);
        });
    };
    const auto connect = CommDataFormat::buildConnect();
    const int code = sendAndWait(
        *s, [&] { return s->transport->sendFrame(connect); }, afterConnect, t.replyTimeout);
    if (code != UsbSerialInterface::WRITTEN)
        completion(false, {});
}

} // namespace

UsbSerialInterface& LensClient::transport() {
    return *shared()->transport;
}

UsbSerialPortList& LensClient::portList() {
    return *shared()->ports;
}

void LensClient::install(Environment& environment, std::shared_ptr<UsbSerialInterface> transport,
                         std::shared_ptr<UsbSerialPortList> ports) {
    auto fresh = std::make_shared<Shared>();
    fresh->transport = std::move(transport);
    fresh->ports = std::move(ports);
    environment.setLink(std::move(fresh));
}

bool LensClient::openAdapterPort(std::function<void()> onRemove) {
    return openAdapter(*shared(), std::move(onRemove));
}

bool LensClient::reopenAdapterPort() {
    return reopenAdapter(*shared());
}

void LensClient::exchange(CommDataFormat frame, Completion completion) {
    WorkerQueue::post([s = shared(), frame = std::move(frame),
                       completion = std::move(completion)] { lockedExchange(s, frame, completion); });
}

void LensClient::sendWithoutReply(CommDataFormat frame, std::function<void()> sent) {
    // Waits for the lock on a worker: the exchange holding it completes on the main
    // thread, which must not be held up here.
    WorkerQueue::post([s = shared(), frame = std::move(frame), sent = std::move(sent)] {
        lockedExchange(s, frame, [](bool, const Bytes&) {});
        if (sent)
            sent();
    });
}

LensClient::Completion LensClient::withStatus(Completion completion) {
    return [completion = std::move(completion)](bool ok, const Bytes& data) {
        completion(ok && (data.size() < 2 || data[0] < 0x80), data);
    };
}

void LensClient::startFirmwareUpdate(UpdateMode updateMode, std::uint8_t device,
                                     std::uint8_t area, std::uint8_t firmwareType,
                                     Completion completion) {
    auto s = shared();
    s->firmwareStepCounter = 0;
    s->transport->resetBlockNumber();
    const bool modeSwitch =
        updateMode != UpdateMode::SAFEMODE && device == 0 && (firmwareType & FM_INCLUDE_OS);
    if (modeSwitch)
        area = 2;
    WorkerQueue::post([s, device, area, modeSwitch, completion = once(std::move(completion))] {
        const auto start = CommDataFormat::buildFirmwareUpdateStart(device, area);
        if (s->transport->sendFrame(start) != UsbSerialInterface::WRITTEN) {
            completion(false, {});
            return;
        }
        if (modeSwitch)
            switchAdapterMode(s, area, completion);
        else
            beginHandshake(*s, completion);
    });
}

void LensClient::sendFirmwareStep(FirmwareStepKind kind, Bytes bytes, Completion completion) {
    WorkerQueue::post([s = shared(), kind, bytes = std::move(bytes),
                       completion = std::move(completion)] {
        UsbSerialInterface& t = *s->transport;
        if (kind == secondEnd)
            t.waitType = UsbSerialInterface::eot2;
        else if (kind == firstEnd)
            t.waitType = UsbSerialInterface::eot1;
        const int n = s->firmwareStepCounter++;
        const Timings timings = Timings::current();
        const double wait = n == 0 ? timings.firmwareFirstTimeout : timings.replyTimeout;
        const auto restoreMode = [link = std::weak_ptr<Shared>(s), kind] {
            const auto held = link.lock();
            if (held && kind != block)
                held->transport->waitType = UsbSerialInterface::firmup;
        };
        const int code = sendAndWait(
            *s, [&] { return kind == block ? t.sendBlock(bytes) : t.sendRaw(bytes); },
            [restoreMode, completion](bool ok, const Bytes& data) {
                restoreMode();
                completion(ok, data);
            },
            wait);
        if (code != UsbSerialInterface::WRITTEN) {
            restoreMode();
            completion(false, {});
        }
    });
}

void LensClient::sendFirmwareBlock(Bytes data, Completion completion) {
    sendFirmwareStep(block, std::move(data), std::move(completion));
}

} // namespace kelvara
