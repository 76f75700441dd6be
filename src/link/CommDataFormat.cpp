#include "CommDataFormat.h"

#include "Crc.h"
#include "platform/Diagnostics.h"

#include <cassert>

namespace kelvara {

CommDataFormat CommDataFormat::build(std::uint8_t func, Bytes bytes) {
    assert(bytes.size() <= MAX_DATA);
    CommDataFormat frame;
    frame.destination = 0;
    frame.funcNumber = func;
    const std::size_t length = bytes.size() + 1;
    frame.commandLength = {std::uint8_t(length & 0xFF), std::uint8_t(length >> 8)};
    frame.data = std::move(bytes);
    return frame;
}

CommDataFormat CommDataFormat::buildConnect() {
    return build(FUNC_CONNECT, {0x00});
}

CommDataFormat CommDataFormat::buildDisconnect() {
    return build(FUNC_DISCONNECT, {});
}

CommDataFormat CommDataFormat::buildRead(bool area, std::uint8_t addressHigh,
                                         std::uint8_t addressLow, std::uint8_t count) {
    return build(FUNC_READ, {0x00, std::uint8_t(area ? 1 : 0), addressHigh, addressLow, count});
}

CommDataFormat CommDataFormat::buildWrite(bool area, std::uint8_t addressHigh,
                                          std::uint8_t addressLow, std::uint8_t count,
                                          const Bytes& values) {
    Bytes bytes{0x00, std::uint8_t(area ? 1 : 0), addressHigh, addressLow, count};
    bytes.insert(bytes.end(), values.begin(), values.end());
    return build(FUNC_WRITE, std::move(bytes));
}

CommDataFormat CommDataFormat::buildResetSettings() {
    return build(FUNC_WRITE, {0x01, 0x01, 0x00, 0x00, 0x00});
}

CommDataFormat CommDataFormat::buildFirmwareUpdateStart(std::uint8_t device, std::uint8_t area) {
    return build(FUNC_FIRMWARE_UPDATE_START, {device, area});
}

Bytes CommDataFormat::encode(std::uint8_t packet) const {
    const std::size_t length = data.size() + 1;
    Bytes out;
    out.reserve(data.size() + 10);
    out.insert(out.end(), {startMarker, packet, destination, 0x00, std::uint8_t(length & 0xFF),
                           std::uint8_t(length >> 8), funcNumber});
    out.insert(out.end(), data.begin(), data.end());
    const auto sum = Crc::calculate(out);
    out.insert(out.end(), {sum[0], sum[1], endMarker});
    return out;
}

bool CommDataFormat::parseReply(const Bytes& received, const Bytes& lastSent) {
    *this = CommDataFormat{};
    auto fail = [](const char* message) {
        Diagnostics::line(QString::fromLatin1(message));
        return false;
    };

    if (received.size() < 7)
        return fail("Error recv length");
    if (received[0] != startMarker)
        return fail("Error start mark");
    packetNumber = received[1];
    destination = received[2];
    commandLength = {received[4], received[5]};
    funcNumber = received[6];

    const std::size_t length = std::size_t(received[4]) + 256 * std::size_t(received[5]);
    if (length == 0 || received.size() < length + 9)
        return fail("Error length");
    data.assign(received.begin() + 7, received.begin() + 7 + std::ptrdiff_t(length - 1));
    crc = {received[6 + length], received[7 + length]};
    if (received[8 + length] != endMarker)
        return fail("Error end mark");
    if (funcNumber == FUNC_ADAPTER_STATUS && !data.empty() && (data[0] & bitOverCurrent))
        return fail("Error overcurrent");
    if (lastSent.size() <= 6)
        return fail("Error not adapter mode 1");
    if (lastSent[0] != startMarker)
        return fail("Error not adapter mode 2");
    if (packetNumber != lastSent[1])
        return fail("Error packet number");
    if (destination != lastSent[2])
        return fail("Error destination");
    if (funcNumber != lastSent[6])
        return fail("Error function number");
    if (funcNumber == FUNC_FIRMWARE_UPDATE_START)
        return fail("Error update firmware");

    const auto sum = Crc::calculate(received.data(), 6 + length);
    if (sum[0] != crc[0])
        return fail("Error crc check 1");
    if (sum[1] != crc[1])
        return fail("Error crc check 2");

    Diagnostics::line(QStringLiteral("Recv Response : ") + hexLine(received));
    return true;
}

} // namespace kelvara
