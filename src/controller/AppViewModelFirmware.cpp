// Starting a firmware transfer and presenting its outcome, for the firmware page and
// for a lens in safe mode.
#include "AppViewModel.h"

#include "firmware/FirmwareUpdateModel.h"
#include "firmware/ProductInfoFileModel.h"
#include "link/LensClient.h"
#include "model/BasicInfoViewModel.h"
#include "platform/MainThread.h"
#include "ui/MessageViewModel.h"

#include <QPointer>

namespace kelvara {

float AppViewModel::download_progress() const {
    return firmware_update_->download_progress();
}

int AppViewModel::download_state() const {
    return firmware_update_->download_stateValue();
}

std::optional<Operation> AppViewModel::criticalOperation() const {
    if (firmware_update_->firmwareUpdating())
        return transfer_;
    return settingsWrite_;
}

void AppViewModel::startFirmwareUpdate() {
    QPointer<AppViewModel> self(this);
    if (isConnectBody_) {
        // The camera body must not be in the way of an update: yes disconnects, so that
        // the lens can be taken off the body.
        ask(Operation::FirmwareUpdate, "Firmware_CameraConnectFirmupErrorMessage", [self] {
            if (!self)
                return;
            self->setConnect_state(NOT_CONNECT);
            self->setSelected_menu(CONNECT);
            self->finish(Operation::FirmwareUpdate, Outcome::Failed,
                         QStringLiteral("Firmware_CameraConnectFirmupErrorMessage"));
        });
        return;
    }
    ask(Operation::FirmwareUpdate, "Firmware_UpdateConfirm", [self] {
        if (!self)
            return;
        self->startTransfer(
            UpdateMode::NORMAL,
            FirmwareUpdateModel::packageAddress(self->basic_info_->product_info().firmwareFileName),
            self->basic_info_->product_info().descriptionKey);
    });
}

void AppViewModel::startTransfer(UpdateMode mode, const QString& address,
                                 const QString& descriptionKey) {
    setShow_menu(false);
    transfer_ = mode == UpdateMode::SAFEMODE ? Operation::SafeModeUpdate : Operation::FirmwareUpdate;
    firmware_update_->setFirmwareType(basic_info_->firmwareType());
    QPointer<AppViewModel> self(this);
    firmware_update_->startUpdate(mode, address, descriptionKey, [self](float, UpdateState state) {
        MainThread::post([self, state] {
            if (self)
                self->transferProgress(state);
        });
    });
}

void AppViewModel::transferProgress(UpdateState state) {
    if (state == UpdateState::Complete) {
        // The firmware page shows the end; its button calls finishFirmwareUpdate.
        finish(transfer_, Outcome::Done);
        return;
    }
    if (state != UpdateState::NetworkError && state != UpdateState::Error)
        return;
    setShow_menu(true);
    report(transfer_, Outcome::Failed,
           state == UpdateState::NetworkError ? "Firmware_DownLoadError" : "Firmware_UpdateError",
           [this] {
               setConnect_state(NOT_CONNECT);
               setSelected_menu(CONNECT);
               firmware_update_->setDownload_state(UpdateState::Idle);
               firmware_update_->setDownload_progress(0);
               firmware_update_->progressChanged(0, UpdateState::Idle);
           });
}

void AppViewModel::finishFirmwareUpdate() {
    firmware_update_->setDownload_state(UpdateState::Idle);
    setConnect_state(NOT_CONNECT);
    setSelected_menu(CONNECT);
    setShow_menu(true);
}

} // namespace kelvara
