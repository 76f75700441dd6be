#pragma once

#include "CommDataFormat.h"
#include "UpdateMode.h"
#include "UsbSerialInterface.h"
#include "UsbSerialPortList.h"

#include <functional>
#include <memory>

namespace kelvara {

class Environment;

// The only way the program talks to the lens: one framed exchange at a time on worker
// threads, the reply status rule, and the firmware-update start and block steps.
class LensClient {
public:
    using Completion = UsbSerialInterface::Completion;

    enum FirmwareStepKind { block = 0, firstEnd = 1, secondEnd = 2 };

    static constexpr int NORMAL_BAUD = UsbSerialInterface::NORMAL_BAUD;
    static constexpr int FIRMWARE_BAUD = 3000000;
    static constexpr std::uint8_t FM_INCLUDE_OS = 0x02;

    LensClient() = delete;

    // The current environment's transport and adapter list, created on first use.
    static UsbSerialInterface& transport();
    static UsbSerialPortList& portList();
    // Gives an environment fresh link objects (a front-end's explicit port, a test's fake
    // port). Work already queued keeps the objects it started with.
    static void install(Environment& environment, std::shared_ptr<UsbSerialInterface> transport,
                        std::shared_ptr<UsbSerialPortList> ports);

    static bool openAdapterPort(std::function<void()> onRemove);
    static bool reopenAdapterPort();

    static void exchange(CommDataFormat frame, Completion completion);
    // sent (if any) runs on a worker once the frame was written, or could not be.
    static void sendWithoutReply(CommDataFormat frame, std::function<void()> sent = {});
    static Completion withStatus(Completion completion);

    static void startFirmwareUpdate(UpdateMode updateMode, std::uint8_t device, std::uint8_t area,
                                    std::uint8_t firmwareType, Completion completion);
    static void sendFirmwareStep(FirmwareStepKind kind, Bytes bytes, Completion completion);
    static void sendFirmwareBlock(Bytes data, Completion completion);
};

} // namespace kelvara
