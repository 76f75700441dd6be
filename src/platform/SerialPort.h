#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

namespace kelvara {

// The one serial port of the program, as the lens link needs it. Lives on the main
// thread; its signals arrive there.
class SerialPort : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~SerialPort() override = default;

    virtual bool open(const QString& path) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual bool setBaudRate(int baud) = 0;
    // Submits the bytes as one write request; false when the request is refused.
    virtual bool write(const QByteArray& bytes) = 0;

signals:
    void received(const QByteArray& bytes);
    // The device went away; reported once, after which the port is closed.
    void removed();
    void failed(const QString& reason);
};

} // namespace kelvara
