#pragma once

#include "SerialPort.h"

#include <QSerialPort>

namespace kelvara {

class QtSerialPort final : public SerialPort {
    Q_OBJECT
public:
    explicit QtSerialPort(QObject* parent = nullptr);

    bool open(const QString& path) override;
    void close() override;
    bool isOpen() const override;
    bool setBaudRate(int baud) override;
    bool write(const QByteArray& bytes) override;

private:
    void onError(QSerialPort::SerialPortError error);

    QSerialPort port_;
    QSerialPort::SerialPortError lastReported_ = QSerialPort::NoError;
};

} // namespace kelvara
