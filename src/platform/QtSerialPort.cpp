#include "QtSerialPort.h"

#include "LowLatency.h"

namespace kelvara {

QtSerialPort::QtSerialPort(QObject* parent) : SerialPort(parent) {
    connect(&port_, &QSerialPort::readyRead, this, [this] {
        const QByteArray bytes = port_.readAll();
        if (!bytes.isEmpty())
            emit received(bytes);
    });
    connect(&port_, &QSerialPort::errorOccurred, this, &QtSerialPort::onError);
}

bool QtSerialPort::open(const QString& path) {
    lastReported_ = QSerialPort::NoError;
    port_.setPortName(path);
    port_.setBaudRate(19200);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    if (port_.open(QIODevice::ReadWrite)) {
        requestLowLatency(int(port_.handle())); // best effort: a pty has no such setting
        return true;
    }
    return false;
}

void QtSerialPort::close() {
    if (port_.isOpen())
        port_.close();
}

bool QtSerialPort::isOpen() const {
    return port_.isOpen();
}

bool QtSerialPort::setBaudRate(int baud) {
    return port_.setBaudRate(baud);
}

bool QtSerialPort::write(const QByteArray& bytes) {
    if (!port_.isOpen())
        return false;
    return port_.write(bytes) == bytes.size();
}

void QtSerialPort::onError(QSerialPort::SerialPortError error) {
    switch (error) {
    case QSerialPort::NoError:
        return;
    case QSerialPort::ResourceError:
    case QSerialPort::ReadError:
        // A vanished device shows up as a flood of read errors (stale errno in Qt's read
        // notifier) rather than one resource error: treat the first one as removal.
        if (!port_.isOpen())
            return;
        port_.close();
        emit removed();
        return;
    default:
        if (error == lastReported_)
            return;
        lastReported_ = error;
        emit failed(port_.errorString());
    }
}

} // namespace kelvara
