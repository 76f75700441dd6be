#include "BlockReceiver.h"

#include "Crc16.h"

namespace kelvara::sim {

namespace {
quint8 following(quint8 n) {
    return n == 255 ? 1 : quint8(n + 1);
}
quint8 preceding(quint8 n) {
    return n == 1 ? 255 : quint8(n - 1);
}
} // namespace

void BlockReceiver::restart() {
    stream_.clear();
    accepted_ = 0;
    expected_ = 1;
    broken_ = false;
}

BlockReceiver::Event BlockReceiver::next(QByteArray& rx) {
    Event e;
    if (rx.isEmpty())
        return e;
    const quint8 first = quint8(rx.at(0));
    if (first == EOT) {
        rx.remove(0, 1);
        e.kind = Kind::Eot;
        return e;
    }
    if (first != STX) {
        rx.remove(0, 1);
        e.kind = Kind::Stray;
        return e;
    }
    if (rx.size() < kBlockWire)
        return e;

    e.number = quint8(rx.at(1));
    const quint8 complement = quint8(rx.at(2));
    e.payload = rx.mid(3, kBlockData);
    const quint16 crc = Crc16::xmodem(e.payload);
    const bool crcOk = quint8(rx.at(3 + kBlockData)) == (crc >> 8) &&
                       quint8(rx.at(4 + kBlockData)) == (crc & 0xFF);
    rx.remove(0, kBlockWire);

    e.ordinal = accepted_ + 1;
    if (!crcOk || quint8(~e.number) != complement) {
        e.kind = Kind::BadBlock;
    } else if (e.number == expected_) {
        e.kind = Kind::Block;
    } else if (accepted_ > 0 && e.number == preceding(expected_)) {
        e.kind = Kind::Duplicate;
        e.ordinal = accepted_;
    } else {
        e.kind = Kind::BadBlock;
        broken_ = true;
    }
    return e;
}

void BlockReceiver::accept(const Event& block) {
    if (block.kind != Kind::Block)
        return;
    stream_.append(block.payload);
    ++accepted_;
    expected_ = following(expected_);
}

} // namespace kelvara::sim
