#pragma once

#include "Bytes.h"
#include "CommDataFormat.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <atomic>
#include <functional>
#include <memory>

namespace kelvara {

class SerialPort;

// The one open adapter port: sends frames, firmware blocks and raw bytes, reassembles
// and checks what comes back, runs the reply timeout and reports removal.
// Lives on the main thread; every public operation may be called from any thread and
// is carried out there, so a reply and its timeout never race.
class UsbSerialInterface : public QObject {
    Q_OBJECT
public:
    using Completion = std::function<void(bool ok, const Bytes& data)>;
    using PortFactory = std::function<std::unique_ptr<SerialPort>()>;

    enum FrmupSendReceiveMode { firmup = 0, eot1 = 1, eot2 = 2 };
    enum SendResult { WRITTEN = 0, NO_PORT = 1, REFUSED = 5 };

    static constexpr int dataLength = 8;
    static constexpr std::uint8_t STX = 0x02, EOT = 0x04, ACK = 0x06, NAK = 0x15, CAN = 0x18,
                                  READY = 0x43;
    static constexpr int NORMAL_BAUD = 19200;

    // The port factory makes a QSerialPort-backed port unless a test supplies its own.
    explicit UsbSerialInterface(PortFactory factory = {});
    ~UsbSerialInterface() override;

    bool open(const QString& path, std::function<void()> onRemove);
    bool reopen(const QString& path);
    void closePort();
    void setLineSpeed(int baud);
    bool isPortOpen() const;

    int sendFrame(const CommDataFormat& frame);
    int sendBlock(const Bytes& data);
    int sendRaw(const Bytes& bytes);

    // Installs completion for the next reply and arms its timeout, replacing any earlier one.
    void waitReply(Completion completion, double seconds);

    // Numbering restarts for each firmware-update start, so its first block carries 1.
    void resetBlockNumber();

    std::atomic<bool> firmwareUpdating{false};
    std::atomic<int> waitType{firmup};

    // Main-thread state, readable for diagnostics and tests.
    std::uint8_t packetNumber() const { return packetNumber_; }
    std::uint8_t blockNumber() const { return blockNumber_; }
    const Bytes& sendBuffer() const { return sendBuffer_; }
    const CommDataFormat& resData() const { return resData_; }
    QString portName() const { return portName_; }

private:
    bool openPort(const QString& path);
    int submit(Bytes bytes);
    void onReceived(const QByteArray& bytes);
    void receiveFramed();
    void receiveFirmware();
    void onRemoved();
    void onTimeout();
    void complete(bool ok, const Bytes& data);

    PortFactory factory_;
    std::unique_ptr<SerialPort> serialPort_;
    std::function<void()> onRemove_;
    Completion onReceive_;
    QTimer timeoutWorkItem_;
    Bytes sendBuffer_;
    Bytes receiveBuffer_;
    CommDataFormat resData_;
    std::uint8_t packetNumber_ = 0;
    std::uint8_t blockNumber_ = 0;
    QString portName_;
};

} // namespace kelvara
