// Reply reassembly and the frame checks: one request goes out, then the input arrives as
// the lens's bytes. A completed exchange is followed by the next request, as the client
// does; the firmware handshake's answers are read the same way. After the first byte
// (the mode, below) each step starts with a control byte:
//   0xxxxxxx  (control & 63) + 1 bytes as they are, so the input chooses where the
//             stream is cut
//   1xxxxxxx  a reply to the last request with a good checksum: function, length byte,
//             data
#include "FakeSerialPort.h"
#include "FuzzInput.h"
#include "link/UsbSerialInterface.h"

#include <cstdlib>

using namespace kelvara;

namespace {

CommDataFormat request(std::uint8_t choice) {
    switch (choice % 6) {
    case 0:
        return CommDataFormat::buildConnect();
    case 1:
        return CommDataFormat::buildRead(false, 0, 0, 0);
    case 2:
        return CommDataFormat::buildRead(true, 1, 0, 0);
    case 3:
        return CommDataFormat::buildWrite(true, 0, 1, 1, {0x02});
    case 4:
        return CommDataFormat::buildResetSettings();
    default:
        return CommDataFormat::buildDisconnect();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput input(data, size);
    const std::uint8_t mode = input.byte();

    test::FakePortFactory ports;
    UsbSerialInterface transport(ports);
    if (!transport.open(QStringLiteral("/dev/fuzz"), [] {}))
        std::abort();

    // Bits 0-2: the request; bit 3: the firmware handshake, bits 4-5 its wait.
    const bool firmware = mode & 0x08;
    transport.firmwareUpdating = firmware;
    transport.waitType = (mode >> 4) % 3;

    int waits = 0;
    int completions = 0;
    const auto send = [&] {
        if (firmware)
            transport.sendBlock(Bytes(UsbSerialInterface::dataLength, 0x5A));
        else
            transport.sendFrame(request(mode));
        ++waits;
        transport.waitReply([&](bool, const Bytes&) { ++completions; }, 10.0);
    };
    send();
    while (!input.atEnd()) {
        const std::uint8_t control = input.byte();
        Bytes bytes;
        if (control & 0x80) {
            CommDataFormat reply;
            reply.funcNumber = input.byte();
            reply.data = toBytes(input.take(input.byte()));
            bytes = reply.encode(transport.packetNumber());
        } else {
            bytes = toBytes(input.take(control % 64 + 1));
        }
        ports.last()->deliverNow(bytes);
        if (completions > waits)
            std::abort(); // one completion per wait, never more
        if (completions == waits)
            send();
    }
    return 0;
}
