#pragma once

#include "Bytes.h"

#include <array>
#include <cstdint>

namespace kelvara {

// One frame of the lens protocol: a request filled by one builder, or a parsed reply.
class CommDataFormat {
public:
    static constexpr std::uint8_t startMarker = 0x0F;
    static constexpr std::uint8_t endMarker = 0xF0;
    static constexpr std::size_t MAX_DATA = 65534;

    static constexpr std::uint8_t FUNC_READ = 0xF4;
    static constexpr std::uint8_t FUNC_WRITE = 0xF5;
    static constexpr std::uint8_t FUNC_CONNECT = 0xF8;
    static constexpr std::uint8_t FUNC_DISCONNECT = 0xF9;
    static constexpr std::uint8_t FUNC_FIRMWARE_UPDATE_START = 0xFD;
    static constexpr std::uint8_t FUNC_ADAPTER_STATUS = 0xFF;
    static constexpr std::uint8_t bitOverCurrent = 0x20;

    std::uint8_t packetNumber = 0;
    std::uint8_t destination = 0;
    std::uint8_t reserved = 0;
    std::array<std::uint8_t, 2> commandLength{0, 0}; // [low, high] of data length + 1
    std::uint8_t funcNumber = 0;
    Bytes data;
    std::array<std::uint8_t, 2> crc{0, 0}; // [low, high], received replies only

    static CommDataFormat buildConnect();
    static CommDataFormat buildDisconnect();
    static CommDataFormat buildRead(bool area, std::uint8_t addressHigh, std::uint8_t addressLow,
                                    std::uint8_t count);
    static CommDataFormat buildWrite(bool area, std::uint8_t addressHigh, std::uint8_t addressLow,
                                     std::uint8_t count, const Bytes& values);
    static CommDataFormat buildResetSettings();
    static CommDataFormat buildFirmwareUpdateStart(std::uint8_t device, std::uint8_t area);

    // The bytes on the wire with the given packet number; the length is taken from data.
    Bytes encode(std::uint8_t packet) const;

    // Checks a reassembled reply against the last bytes sent. Replaces every field;
    // after a failure the fields copied before the failing check remain. Writes one
    // diagnostic line either way.
    bool parseReply(const Bytes& received, const Bytes& lastSent);

private:
    static CommDataFormat build(std::uint8_t funcNumber, Bytes data);
};

} // namespace kelvara
