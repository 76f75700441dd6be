#include "UsbSerialInterface.h"

#include "Crc.h"
#include "platform/Diagnostics.h"
#include "platform/MainThread.h"
#include "platform/QtSerialPort.h"
#include "platform/Timings.h"

#include <QThread>

#include <algorithm>

namespace kelvara {

namespace {
std::uint8_t nextNumber(std::uint8_t n) {
    return n == 255 ? 1 : std::uint8_t(n + 1);
}

void sleepSeconds(double seconds) {
    QThread::usleep(static_cast<unsigned long>(seconds * 1e6));
}

QString controlByteName(std::uint8_t b) {
    switch (b) {
    case UsbSerialInterface::ACK:
        return QStringLiteral("ACK");
    case UsbSerialInterface::NAK:
        return QStringLiteral("NAK");
    case UsbSerialInterface::CAN:
        return QStringLiteral("CAN");
    case UsbSerialInterface::READY:
        return QStringLiteral("C");
    default:
        return QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
    }
}
} // namespace

UsbSerialInterface::UsbSerialInterface(PortFactory factory) : factory_(std::move(factory)) {
    if (!factory_)
        factory_ = [] { return std::make_unique<QtSerialPort>(); };
    timeoutWorkItem_.setSingleShot(true);
    connect(&timeoutWorkItem_, &QTimer::timeout, this, &UsbSerialInterface::onTimeout);
}

UsbSerialInterface::~UsbSerialInterface() = default;

bool UsbSerialInterface::open(const QString& path, std::function<void()> onRemove) {
    bool opened = false;
    MainThread::call([&] {
        if (serialPort_ && serialPort_->isOpen()) {
            opened = true;
            return;
        }
        opened = openPort(path);
        if (opened)
            onRemove_ = std::move(onRemove);
    });
    return opened;
}

bool UsbSerialInterface::reopen(const QString& path) {
    bool opened = false;
    MainThread::call([&] {
        Diagnostics::line(QStringLiteral("Port ReOpen"));
        opened = openPort(path);
    });
    return opened;
}

bool UsbSerialInterface::openPort(const QString& path) {
    Diagnostics::line(QStringLiteral("Port Open"));
    portName_ = path;
    // Bytes not yet consumed belonged to the port being replaced.
    receiveBuffer_.clear();
    serialPort_ = factory_();
    connect(serialPort_.get(), &SerialPort::received, this, &UsbSerialInterface::onReceived);
    connect(serialPort_.get(), &SerialPort::removed, this, &UsbSerialInterface::onRemoved);
    connect(serialPort_.get(), &SerialPort::failed, this,
            [] { Diagnostics::line(QStringLiteral("Port Error")); });
    return serialPort_->open(path) && serialPort_->isOpen();
}

void UsbSerialInterface::closePort() {
    bool wasOpen = false;
    MainThread::call([&] {
        onRemove_ = nullptr;
        wasOpen = serialPort_ && serialPort_->isOpen();
        if (wasOpen)
            serialPort_->close();
    });
    if (!wasOpen)
        return;
    const Timings t = Timings::current();
    for (int i = 0; i < 10 && isPortOpen(); ++i)
        sleepSeconds(t.closePoll);
    while (isPortOpen())
        sleepSeconds(t.closeSlowPoll);
    Diagnostics::line(QStringLiteral("Port Close"));
}

void UsbSerialInterface::setLineSpeed(int baud) {
    MainThread::call([&] {
        if (serialPort_)
            serialPort_->setBaudRate(baud);
    });
}

bool UsbSerialInterface::isPortOpen() const {
    bool open = false;
    MainThread::call([&] { open = serialPort_ && serialPort_->isOpen(); });
    return open;
}

int UsbSerialInterface::sendFrame(const CommDataFormat& frame) {
    int code = NO_PORT;
    MainThread::call([&] {
        if (!serialPort_ || !serialPort_->isOpen())
            return;
        const std::uint8_t p = nextNumber(packetNumber_);
        code = submit(frame.encode(p));
        if (code == WRITTEN)
            packetNumber_ = p;
    });
    return code;
}

int UsbSerialInterface::sendBlock(const Bytes& data) {
    int code = NO_PORT;
    MainThread::call([&] {
        if (!serialPort_ || !serialPort_->isOpen())
            return;
        const std::uint8_t k = nextNumber(blockNumber_);
        Bytes block;
        block.reserve(data.size() + 5);
        block.insert(block.end(), {STX, k, std::uint8_t(255 - k)});
        block.insert(block.end(), data.begin(), data.end());
        const auto sum = Crc::calculate(data);
        block.insert(block.end(), {sum[1], sum[0]}); // high byte first on blocks
        code = submit(std::move(block));
        if (code == WRITTEN)
            blockNumber_ = k;
    });
    return code;
}

int UsbSerialInterface::sendRaw(const Bytes& bytes) {
    int code = NO_PORT;
    MainThread::call([&] {
        if (serialPort_ && serialPort_->isOpen())
            code = submit(bytes);
    });
    return code;
}

int UsbSerialInterface::submit(Bytes bytes) {
    sendBuffer_ = std::move(bytes);
    Diagnostics::line(QStringLiteral("Send Command : ") + hexLine(sendBuffer_));
    if (!serialPort_->write(toQByteArray(sendBuffer_))) {
        sendBuffer_.clear();
        return REFUSED;
    }
    return WRITTEN;
}

void UsbSerialInterface::waitReply(Completion completion, double seconds) {
    MainThread::call([&] {
        onReceive_ = std::move(completion);
        timeoutWorkItem_.start(std::max(0, int(seconds * 1000.0)));
    });
}

void UsbSerialInterface::resetBlockNumber() {
    MainThread::call([&] { blockNumber_ = 0; });
}

void UsbSerialInterface::complete(bool ok, const Bytes& data) {
    timeoutWorkItem_.stop();
    // Taken out first: the completion may arm the next wait.
    Completion done = std::move(onReceive_);
    onReceive_ = nullptr;
    if (done)
        done(ok, data);
}

void UsbSerialInterface::onReceived(const QByteArray& bytes) {
    receiveBuffer_.insert(receiveBuffer_.end(), bytes.begin(), bytes.end());
    if (receiveBuffer_.empty())
        return;
    if (firmwareUpdating)
        receiveFirmware();
    else
        receiveFramed();
}

void UsbSerialInterface::receiveFramed() {
    const auto start = std::find(receiveBuffer_.begin(), receiveBuffer_.end(),
                                 CommDataFormat::startMarker);
    receiveBuffer_.erase(receiveBuffer_.begin(), start);
    if (receiveBuffer_.size() < 7)
        return;
    const std::size_t length = std::size_t(receiveBuffer_[4]) + 256 * std::size_t(receiveBuffer_[5]);
    if (receiveBuffer_.size() < length + 9)
        return;
    const bool ok = resData_.parseReply(receiveBuffer_, sendBuffer_);
    receiveBuffer_.clear();
    complete(ok, resData_.data);
}

void UsbSerialInterface::receiveFirmware() {
    const Bytes received = std::move(receiveBuffer_);
    receiveBuffer_.clear();
    const std::uint8_t first = received.front();
    if (waitType == firmup) {
        const bool ok = first == ACK || first == NAK || first == READY;
        Diagnostics::line(QStringLiteral("Recv ") + controlByteName(first));
        complete(ok, received);
        return;
    }
    const std::uint8_t awaited = waitType == eot1 ? NAK : ACK;
    const auto found = std::find_if(received.begin(), received.end(),
                                    [&](std::uint8_t b) { return b == awaited || b == CAN; });
    if (found == received.end()) {
        // Neither answer: drop the bytes and let the wait run to its timeout.
        Diagnostics::line(QStringLiteral("Recv ") + hexLine(received));
        return;
    }
    Diagnostics::line(QStringLiteral("Recv ") + controlByteName(*found));
    complete(*found == awaited, received);
}

void UsbSerialInterface::onRemoved() {
    Diagnostics::line(QStringLiteral("Port Removed From System"));
    if (serialPort_) {
        serialPort_->disconnect(this);
        serialPort_.release()->deleteLater();
    }
    if (firmwareUpdating)
        return;
    if (onRemove_)
        onRemove_();
}

void UsbSerialInterface::onTimeout() {
    Completion done = std::move(onReceive_);
    onReceive_ = nullptr;
    if (done)
        done(false, {});
    Diagnostics::line(QStringLiteral("recv timeout"));
}

} // namespace kelvara
