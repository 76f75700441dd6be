// Starting a firmware transfer and presenting its outcome, for the firmware page (from the
// update server or from a copy of it in a folder) and for a lens in safe mode; connecting
// again afterwards to read the version installed.
#include "AppViewModel.h"

#include "FileDialogs.h"
#include "firmware/FirmwareMirror.h"
#include "firmware/FirmwareUpdateModel.h"
#include "firmware/ProductInfoFileModel.h"
#include "firmware/ServerModel.h"
#include "link/LensClient.h"
#include "model/BasicInfoViewModel.h"
#include "platform/MainThread.h"
#include "platform/Timings.h"
#include "ui/MessageViewModel.h"

#include <QDir>
#include <QPointer>
#include <QUrl>

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
    confirmFirmwareUpdate(
        FirmwareUpdateModel::packageAddress(basic_info_->product_info().firmwareFileName),
        basic_info_->product_info().descriptionKey);
}

void AppViewModel::startFirmwareUpdateFromFolder() {
    if (!fileDialogs_) {
        finish(Operation::FirmwareUpdate, Outcome::Refused);
        return;
    }
    QPointer<AppViewModel> self(this);
    fileDialogs_->chooseFolder([self](const QString& folder) {
        if (!self)
            return;
        if (folder.isEmpty())
            self->finish(Operation::FirmwareUpdate, Outcome::AnsweredNo);
        else
            self->readFolderCatalogue(folder);
    });
}

void AppViewModel::readFolderCatalogue(const QString& folder) {
    const QString model = basic_info_->modelName() + ServerModel::mountSuffix(basic_info_->mountType());
    const QDir dir(folder);
    // A fresh reader per folder; its values are taken on the reader's thread.
    folderCatalogue_ = std::make_shared<ProductInfoFileModel>();
    std::weak_ptr<ProductInfoFileModel> reader = folderCatalogue_;
    QPointer<AppViewModel> self(this);
    folderCatalogue_->onComplete = [self, reader, dir, model](bool ok) {
        const auto catalogue = reader.lock();
        const QString fileName = catalogue ? catalogue->firmwareFileName : QString();
        const QString key = catalogue ? catalogue->descriptionKey : QString();
        // A folder without this lens's catalogue reads as found with no file name.
        const bool found = ok && FirmwareUpdateModel::isPackageFileName(fileName);
        const QString address =
            QUrl::fromLocalFile(dir.filePath(FirmwareMirror::LENS_FOLDER + fileName)).toString();
        MainThread::post([self, found, address, key, model] {
            if (!self)
                return;
            if (found)
                self->confirmFirmwareUpdate(address, key);
            else
                self->report(Operation::FirmwareUpdate, Outcome::Failed,
                             "Firmware_FolderNoFirmware", {}, {model});
        });
    };
    folderCatalogue_->requestFile(
        QUrl::fromLocalFile(dir.filePath(FirmwareMirror::cataloguePath(model))).toString());
}

void AppViewModel::confirmFirmwareUpdate(const QString& address, const QString& descriptionKey) {
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
    ask(Operation::FirmwareUpdate, "Firmware_UpdateConfirm", [self, address, descriptionKey] {
        if (!self)
            return;
        self->backUpBeforeOverwrite(SettingsBackup::Reason::FirmwareUpdate);
        self->versionBefore_ = firmwareVersionBytes(self->basic_info_->rom());
        self->startTransfer(UpdateMode::NORMAL, address, descriptionKey);
    });
}

void AppViewModel::startTransfer(UpdateMode mode, const QString& address,
                                 const QString& descriptionKey) {
    setShow_menu(false);
    if (!installed_version_.isEmpty()) {
        installed_version_.clear();
        emit installed_versionChanged();
    }
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
    if (connect_state_ == CONNECT_COMPLETE && !installed_version_.isEmpty()) {
        // Connected again after the update: the firmware page shows the new version.
        setShow_menu(true);
        return;
    }
    setConnect_state(NOT_CONNECT);
    setSelected_menu(CONNECT);
    setShow_menu(true);
}

Bytes AppViewModel::firmwareVersionBytes(const Bytes& record) {
    constexpr std::size_t VERSION_OFFSET = 24;
    if (record.size() < VERSION_OFFSET + 2)
        return {};
    return Bytes(record.begin() + VERSION_OFFSET, record.begin() + VERSION_OFFSET + 2);
}

void AppViewModel::reconnectAfterUpdate() {
    if (reconnecting_ || connect_state_ == CONNECTING)
        return;
    reconnectDeadline_.setRemainingTime(qint64(Timings::current().lensRestartWait * 1000));
    setReconnecting(true);
    connectLens(false);
}

void AppViewModel::setReconnecting(bool value) {
    if (reconnecting_ == value)
        return;
    reconnecting_ = value;
    emit reconnectingChanged();
}

void AppViewModel::checkInstalledVersion() {
    setReconnecting(false);
    installed_version_ = basic_info_->currentVersion();
    emit installed_versionChanged();
    if (firmwareVersionBytes(basic_info_->rom()) == versionBefore_)
        report(Operation::FirmwareReconnect, Outcome::Failed, "Firmware_UpdateNotApplied", {},
               {installed_version_});
    else
        finish(Operation::FirmwareReconnect, Outcome::Done);
}

} // namespace kelvara
