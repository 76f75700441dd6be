#include "FakeSerialPort.h"

#include "link/Crc.h"

#include <QTimer>

namespace kelvara::test {

bool FakeSerialPort::open(const QString& p) {
    path = p;
    open_ = !refuseOpen;
    return open_;
}

bool FakeSerialPort::setBaudRate(int baud) {
    baudRates.append(baud);
    return true;
}

bool FakeSerialPort::write(const QByteArray& bytes) {
    if (!open_ || refuseWrite)
        return false;
    writes.append(toBytes(bytes));
    log->append(writes.last());
    if (responder)
        responder(*this, writes.last());
    return true;
}

void FakeSerialPort::deliverLater(const Bytes& bytes) {
    QPointer<FakeSerialPort> self(this);
    QTimer::singleShot(0, this, [self, bytes] {
        if (self)
            self->deliverNow(bytes);
    });
}

void FakeSerialPort::unplug() {
    open_ = false;
    emit removed();
}

std::unique_ptr<SerialPort> FakePortFactory::operator()() {
    auto port = std::make_unique<FakeSerialPort>();
    port->log = log_;
    if (configure)
        configure(*port);
    ports_->append(port.get());
    return port;
}

Bytes replyTo(const Bytes& request, const Bytes& data) {
    const std::size_t length = data.size() + 1;
    Bytes reply;
    reply.reserve(data.size() + 10);
    for (std::uint8_t b : {std::uint8_t(0x0F), request.at(1), request.at(2), std::uint8_t(0x00),
                           std::uint8_t(length & 0xFF), std::uint8_t(length >> 8), request.at(6)})
        reply.push_back(b);
    reply.insert(reply.end(), data.begin(), data.end());
    const auto sum = Crc::calculate(reply);
    reply.insert(reply.end(), {sum[0], sum[1], 0xF0});
    return reply;
}

} // namespace kelvara::test
