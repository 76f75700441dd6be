#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace kelvara::sim {

// One protocol frame as the lens sees it: 0F pkt dst 00 Llo Lhi fn data crcLo crcHi F0.
class Frame {
  public:
    enum class Scan {
        NeedMore, // a frame may start here but is not complete yet
        Junk,     // bytes before the next start marker
        Bad,      // frame-shaped, but length, end marker or CRC is wrong
        Good,
    };

    // Longest command length we accept; anything longer is a corrupt header.
    static constexpr int kMaxCommandLength = 1024;

    quint8 packet = 0;
    quint8 destination = 0;
    quint8 function = 0;
    QByteArray data;

    QByteArray encode() const;

    // Looks at the front of buffer. consumed tells how many bytes the caller
    // should drop (0 for NeedMore); frame is filled only for Good.
    static Scan scan(const QByteArray& buffer, qsizetype* consumed, Frame* frame);
};

} // namespace kelvara::sim
