#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace kelvara::sim {

// Receiving side of the firmware block handshake. Pure bookkeeping: it cuts
// the incoming bytes into blocks and end-of-transmission bytes and keeps the
// accepted data; the caller decides what to answer.
class BlockReceiver {
  public:
    static constexpr int kBlockData = 1024;
    static constexpr int kBlockWire = kBlockData + 5;
    static constexpr quint8 STX = 0x02;
    static constexpr quint8 EOT = 0x04;
    static constexpr quint8 ACK = 0x06;
    static constexpr quint8 NAK = 0x15;
    static constexpr quint8 CAN = 0x18;
    static constexpr quint8 READY = 0x43; // 'C'

    enum class Kind {
        NeedMore,
        Block,     // well formed and carries the expected number
        Duplicate, // a repeat of the block accepted last
        BadBlock,  // wrong number, complement or CRC
        Eot,
        Stray, // a byte that starts nothing we know
    };

    struct Event {
        Kind kind = Kind::NeedMore;
        int ordinal = 0; // 1 = first block of this transfer
        quint8 number = 0;
        QByteArray payload;
    };

    void restart();
    // Consumes what the returned event covers from the front of rx.
    Event next(QByteArray& rx);
    void accept(const Event& block);

    const QByteArray& stream() const { return stream_; }
    int acceptedBlocks() const { return accepted_; }
    // A block arrived out of sequence: the image cannot be complete any more.
    bool sequenceBroken() const { return broken_; }

  private:
    QByteArray stream_;
    int accepted_ = 0;
    quint8 expected_ = 1;
    bool broken_ = false;
};

} // namespace kelvara::sim
