// A lens that asks for firmware when it connects: identify it, find its firmware on the
// update server, confirm, and hand over to the firmware transfer.
#include "AppViewModel.h"

#include "OnMainThread.h"
#include "firmware/FirmwareUpdateModel.h"
#include "firmware/ProductInfoFileModel.h"
#include "firmware/ServerModel.h"
#include "ui/MessageViewModel.h"

namespace kelvara {

namespace {
constexpr std::size_t MIN_RECORD = 17; // up to the first model name byte
constexpr std::size_t MODEL_OFFSET = 16;
constexpr std::size_t MODEL_SIZE = 8;
constexpr std::size_t MOUNT_OFFSET = 5;
} // namespace

void AppViewModel::startSafeMode() {
    LensClient::exchange(
        CommDataFormat::buildRead(false, 0, 0, 0),
        LensClient::withStatus(onMainThread(this, [this](bool ok, const Bytes& data) {
            const Bytes record = readBlock(data);
            if (!ok || record.size() < MIN_RECORD) {
                readError(Operation::SafeModeUpdate, data);
                return;
            }
            versionBefore_ = firmwareVersionBytes(record);
            QString model;
            for (std::size_t i = MODEL_OFFSET; i < std::min(record.size(), MODEL_OFFSET + MODEL_SIZE);
                 ++i) {
                if (record[i] == 0)
                    break;
                model.append(QChar(record[i]));
            }
            const QString address = ServerModel::productInfoAddress(model, record[MOUNT_OFFSET]);
            // A fresh reader per request; the values are taken on the reader's thread,
            // where they were written.
            safeModeCatalogue_ = std::make_shared<ProductInfoFileModel>();
            std::weak_ptr<ProductInfoFileModel> reader = safeModeCatalogue_;
            QPointer<AppViewModel> self(this);
            safeModeCatalogue_->onComplete = [self, reader](bool found) {
                const auto catalogue = reader.lock();
                const QString fileName = catalogue ? catalogue->firmwareFileName : QString();
                const QString key = catalogue ? catalogue->descriptionKey : QString();
                MainThread::post([self, found, fileName, key] {
                    if (self)
                        self->confirmSafeModeUpdate(found, fileName, key);
                });
            };
            safeModeCatalogue_->requestFile(address);
        })));
}

void AppViewModel::confirmSafeModeUpdate(bool found, const QString& fileName,
                                         const QString& descriptionKey) {
    QPointer<AppViewModel> self(this);
    if (!found) {
        report(Operation::SafeModeUpdate, Outcome::Failed, "Common_NetworkError",
               [this] { setConnect_state(NOT_CONNECT); });
        return;
    }
    setShow_menu(false);
    message_->showMessage(QStringLiteral("Common_UpdateConfirm"), [self, fileName, descriptionKey] {
        if (!self)
            return;
        self->setConnect_state(CONNECT_COMPLETE);
        self->setSelected_menu(FIRMWARE_INFO);
        self->startTransfer(UpdateMode::SAFEMODE, FirmwareUpdateModel::packageAddress(fileName),
                            descriptionKey);
    });
}

} // namespace kelvara
