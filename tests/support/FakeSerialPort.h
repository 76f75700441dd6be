#pragma once

#include "link/Bytes.h"
#include "platform/SerialPort.h"

#include <QList>
#include <QPointer>

#include <functional>
#include <memory>

namespace kelvara::test {

// In-memory serial port: records what is written and delivers what a test injects.
class FakeSerialPort final : public SerialPort {
    Q_OBJECT
public:
    bool open(const QString& path) override;
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    bool setBaudRate(int baud) override;
    bool write(const QByteArray& bytes) override;

    // Delivers bytes as if the lens sent them, on a later turn of the event loop.
    void deliverLater(const Bytes& bytes);
    void deliverNow(const Bytes& bytes) { emit received(toQByteArray(bytes)); }
    void unplug();

    bool refuseOpen = false;
    bool refuseWrite = false;
    // Called for each accepted write: a test's lens answers here.
    std::function<void(FakeSerialPort& port, const Bytes& written)> responder;

    QString path;
    QList<Bytes> writes;
    // Shared by all ports of one factory: every write in order, across reopenings.
    std::shared_ptr<QList<Bytes>> log = std::make_shared<QList<Bytes>>();
    QList<int> baudRates;

private:
    bool open_ = false;
};

// Hands a fresh FakeSerialPort to the transport at every open and keeps track of them.
class FakePortFactory {
public:
    std::unique_ptr<SerialPort> operator()();
    FakeSerialPort* last() const { return ports_->isEmpty() ? nullptr : ports_->last().data(); }
    int created() const { return int(ports_->size()); }
    const QList<Bytes>& log() const { return *log_; }

    // Applied to each new port before the transport uses it.
    std::function<void(FakeSerialPort&)> configure;

private:
    std::shared_ptr<QList<QPointer<FakeSerialPort>>> ports_ =
        std::make_shared<QList<QPointer<FakeSerialPort>>>();
    std::shared_ptr<QList<Bytes>> log_ = std::make_shared<QList<Bytes>>();
};

// A lens reply frame to the request just written: same packet number, destination and
// function, with the given data.
Bytes replyTo(const Bytes& request, const Bytes& data);

} // namespace kelvara::test
