// Connecting, the reads at connect, detach and reconnect, disconnecting on request.
#include "AppViewModel.h"

#include "OnMainThread.h"
#include "firmware/FirmwareUpdateModel.h"
#include "model/BasicInfoViewModel.h"
#include "model/ButtonItemModel.h"
#include "model/LensSettingViewModel.h"
#include "platform/Diagnostics.h"
#include "link/UsbSerialPortList.h"
#include "platform/PortDiagnosis.h"
#include "platform/Timings.h"
#include "ui/MessageViewModel.h"

#include <optional>

namespace kelvara {

namespace {

constexpr std::uint8_t CAMERA_CONNECTION_STATUS_ERROR = 0x83;

void log(const char* line) {
    Diagnostics::line(QString::fromLatin1(line));
}

// Why an adapter port would not open, when the system tells.
std::optional<PortProblem> portProblem() {
    const QStringList ports = LensClient::portList().findAdapterPorts();
    if (ports.isEmpty())
        return std::nullopt;
    const QList<PortProblem> problems =
        PortDiagnosis::examine(ports.first(), UsbSerialPortList::configuredVendorId()).problems();
    return problems.isEmpty() ? std::nullopt : std::optional(problems.first());
}

} // namespace

Bytes AppViewModel::readBlock(const Bytes& data) {
    constexpr std::size_t READ_HEADER = 5;
    if (data.size() <= READ_HEADER)
        return {};
    return Bytes(data.begin() + READ_HEADER, data.end());
}

std::function<void()> AppViewModel::detachHandler() {
    QPointer<AppViewModel> self(this);
    return [self] {
        if (self)
            self->onDetach();
    };
}

void AppViewModel::connectLens(bool forCustomizing) {
    setConnect_state(CONNECTING);
    connectMode_ = forCustomizing ? customize : firmwareUpdate;
    isConnectBody_ = false;
    setIs_safemode(false);
    log("connectLens");
    if (!LensClient::openAdapterPort(detachHandler())) {
        if (const std::optional<PortProblem> problem = portProblem())
            connectFailure(problem->messageId(), {problem->text()});
        else
            connectFailure();
        return;
    }
    LensClient::exchange(CommDataFormat::buildConnect(),
                         onMainThread(this, [this](bool ok, const Bytes& data) {
                             const int attach = ok && !data.empty() ? data[0] : 0;
                             switch (attach) {
                             case 3:
                                 if (reconnecting_) {
                                     // Still asking for firmware: the update did not take.
                                     closePort();
                                     setReconnecting(false);
                                     report(Operation::FirmwareReconnect, Outcome::Failed,
                                            "Firmware_UpdateNotApplied",
                                            [this] { setConnect_state(NOT_CONNECT); },
                                            {basic_info_->currentVersion()});
                                     return;
                                 }
                                 log("  and firmup request from lens.");
                                 setIs_safemode(true);
                                 // Connected; the update the lens asks for runs next.
                                 finish(Operation::Connect, Outcome::Done);
                                 startSafeMode();
                                 return;
                             case 2:
                                 log("  with body.");
                                 readBasicInfo(true);
                                 isConnectBody_ = true;
                                 return;
                             case 1:
                                 log("  without body.");
                                 readBasicInfo(true);
                                 return;
                             default:
                                 // No answer, or one that names no way of attaching:
                                 // waiting in CONNECTING would strand the user.
                                 log("  but error.");
                                 connectFailure();
                             }
                         }));
}

void AppViewModel::connectFailure(const char* textId, const QStringList& args) {
    closePort();
    if (reconnecting_ && !reconnectDeadline_.hasExpired()) {
        // A lens restarting after an update answers again after a while.
        QTimer::singleShot(int(Timings::current().autoConnectInterval * 1000), this, [this] {
            if (reconnecting_)
                connectLens(false);
        });
        return;
    }
    if (reconnecting_) {
        setReconnecting(false);
        report(Operation::FirmwareReconnect, Outcome::Failed, "Firmware_LensNotBack",
               [this] { setConnect_state(NOT_CONNECT); });
        return;
    }
    report(Operation::Connect, Outcome::Failed, textId,
           [this] { setConnect_state(NOT_CONNECT); }, args);
}

void AppViewModel::readError(Operation operation, const Bytes& data) {
    imported_.reset();
    setReconnecting(false);
    const bool cameraStatus = !data.empty() && data[0] == CAMERA_CONNECTION_STATUS_ERROR;
    report(operation, Outcome::Failed,
           cameraStatus ? "Connect_CameraConnectionStatusError" : "Home_LensSettingLoadError",
           [this] {
               setConnect_state(NOT_CONNECT);
               setSelected_menu(CONNECT);
           });
}

// At connect a failed read also closes the port; the re-read after a reset or an import
// leaves that to the answer of its message.
void AppViewModel::readBasicInfo(bool closeOnFailure) {
    LensClient::exchange(
        CommDataFormat::buildRead(false, 0, 0, 0),
        LensClient::withStatus(onMainThread(this, [this, closeOnFailure](bool ok, const Bytes& data) {
            if (!ok) {
                readError(closeOnFailure ? Operation::Connect : Operation::SettingsRead, data);
                if (closeOnFailure)
                    closePort();
                return;
            }
            basic_info_->setRom(readBlock(data));
            basic_info_->parseRom();
            readSettings(0, {}, closeOnFailure);
            button_item_->setMountType(basic_info_->mountType());
        })));
}

void AppViewModel::readSettings(int block, Bytes accumulator, bool closeOnFailure) {
    LensClient::exchange(
        CommDataFormat::buildRead(true, std::uint8_t(block), 0, 0),
        LensClient::withStatus(onMainThread(
            this, [this, block, accumulator, closeOnFailure](bool ok, const Bytes& data) {
                if (!ok) {
                    readError(closeOnFailure ? Operation::Connect : Operation::SettingsRead,
                              data);
                    if (closeOnFailure)
                        closePort();
                    return;
                }
                Bytes image = accumulator;
                const Bytes bytes = readBlock(data);
                image.insert(image.end(), bytes.begin(), bytes.end());
                if (block == 0) {
                    readSettings(1, image, closeOnFailure);
                    return;
                }
                setConnect_state(CONNECT_COMPLETE);
                lens_setting_->setE2p(std::move(image));
                lens_setting_->parseE2p();
                if (connectMode_ == customize) {
                    setSelected_menu(firstPage());
                } else {
                    setSelected_menu(FIRMWARE_INFO);
                    connectMode_ = customize;
                }
                if (!closeOnFailure) {
                    if (const std::optional<Bytes> written = std::exchange(imported_, {}))
                        checkImported(*written);
                    else
                        finish(Operation::SettingsRead, Outcome::Done);
                    return;
                }
                finish(Operation::Connect, Outcome::Done);
                if (reconnecting_)
                    checkInstalledVersion();
            })));
}

void AppViewModel::onDetach() {
    log("detect detach.");
    if (basic_info_->firmwareType() & BasicInfoViewModel::FM_APPLY_TIMING) {
        // The lens restarts to apply its settings and comes back by itself.
        startAutoConnectTimer();
        return;
    }
    QPointer<AppViewModel> self(this);
    const auto reportRemoval = [self] {
        if (!self)
            return;
        self->closePort();
        self->report(Operation::Disconnect, Outcome::Failed, "Common_LensRemovalMessage", [self] {
            self->setConnect_state(NOT_CONNECT);
            self->setSelected_menu(CONNECT);
            self->firmware_update_->setDownload_state(UpdateState::Idle);
            self->setShow_menu(true);
        });
    };
    if (!isConnectBody_) {
        reportRemoval();
        return;
    }
    // A camera body may drop the adapter briefly; look again after a moment without
    // holding up the main thread.
    QTimer::singleShot(500, this, [self, reportRemoval] {
        if (!self)
            return;
        if (!LensClient::openAdapterPort(self->detachHandler())) {
            self->startAutoConnectTimer();
            return;
        }
        reportRemoval();
    });
}

void AppViewModel::startAutoConnectTimer() {
    const bool was = auto_connect_timer.isActive();
    auto_connect_timer.start(int(Timings::current().autoConnectInterval * 1000));
    if (!was)
        emit auto_connectingChanged();
}

void AppViewModel::stopAutoConnectTimer() {
    if (!auto_connect_timer.isActive())
        return;
    auto_connect_timer.stop();
    emit auto_connectingChanged();
}

void AppViewModel::autoConnectTimer() {
    log("try connect");
    if (connect_state_ == NOT_CONNECT) {
        log("try connect end!");
        stopAutoConnectTimer();
        return;
    }
    if (!LensClient::openAdapterPort(detachHandler()))
        return;
    log("connectLens");
    stopAutoConnectTimer();
    log("connected!! stop timer.");
}

void AppViewModel::disconnectLens() {
    QPointer<AppViewModel> self(this);
    ask(Operation::Disconnect, "Header_LensRemovalConfirm", [self] {
        if (self)
            self->disconnectNow();
    });
}

void AppViewModel::disconnectNow() {
    LensClient::exchange(CommDataFormat::buildDisconnect(),
                         onMainThread(this, [this](bool, const Bytes&) {
                             closePort();
                             setConnect_state(NOT_CONNECT);
                             setSelected_menu(CONNECT);
                             finish(Operation::Disconnect, Outcome::Done);
                         }));
}

} // namespace kelvara
