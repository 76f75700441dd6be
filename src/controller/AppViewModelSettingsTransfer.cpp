// Whole settings images between lens and program: reset, the read for an export, the
// block-by-block write-back of an import and the check of what the lens then holds, and
// the automatic backup before a reset, an import or a firmware update.
#include "AppViewModel.h"

#include "OnMainThread.h"
#include "SettingsBackup.h"
#include "model/BasicInfoViewModel.h"
#include "model/LensSettingViewModel.h"
#include "model/LensSettings.h"
#include "platform/Diagnostics.h"
#include "platform/Texts.h"
#include "platform/WorkerQueue.h"
#include "ui/MessageViewModel.h"

#include <QLocale>

#include <atomic>

namespace kelvara {

QString AppViewModel::backup_directory() const {
    return SettingsBackup::directory();
}

void AppViewModel::backUpBeforeOverwrite(SettingsBackup::Reason reason) {
    // A backup that fails is reported in the log and does not stop the operation.
    // What the lens holds: the last read misses the single writes since.
    lastBackup_ = SettingsBackup::save(reason, basic_info_->modelName(),
                                       basic_info_->identityHeader(), lens_setting_->held());
    if (!lastBackup_.isEmpty())
        Diagnostics::line(QStringLiteral("settings backed up to ") + lastBackup_);
    emit backupTaken(lastBackup_);
}

void AppViewModel::resetSettings() {
    QPointer<AppViewModel> self(this);
    ask(Operation::Reset, "Home_SettingReturnQuestion", [self] {
        if (!self)
            return;
        self->backUpBeforeOverwrite(SettingsBackup::Reason::Reset);
        self->settingsWrite_ = Operation::Reset;
        LensClient::exchange(
            CommDataFormat::buildResetSettings(),
            LensClient::withStatus(onMainThread(self.data(), [self](bool ok, const Bytes&) {
                self->settingsWrite_.reset();
                if (ok) {
                    self->report(Operation::Reset, Outcome::Done, "Home_SettingReturnEnd",
                                 [self] { self->reread(); });
                } else if (LensClient::transport().isPortOpen()) {
                    self->report(Operation::Reset, Outcome::Failed, "Home_SettingReturnError");
                } else {
                    // The lens went away: the detach handling shows that message.
                    self->finish(Operation::Reset, Outcome::Failed,
                                 QStringLiteral("Common_LensRemovalMessage"));
                }
            })));
    });
}

void AppViewModel::exportSettings() {
    readForExport(0, {});
}

void AppViewModel::readForExport(int block, Bytes accumulator) {
    LensClient::exchange(
        CommDataFormat::buildRead(true, std::uint8_t(block), 0, 0),
        LensClient::withStatus(
            onMainThread(this, [this, block, accumulator](bool ok, const Bytes& data) {
                if (!ok) {
                    report(Operation::Export, Outcome::Failed, "Home_SettingOutputError");
                    return;
                }
                Bytes image = accumulator;
                const Bytes bytes = readBlock(data);
                image.insert(image.end(), bytes.begin(), bytes.end());
                if (block == 0)
                    readForExport(1, std::move(image));
                else
                    saveExport(image);
            })));
}

void AppViewModel::writeBack(Bytes image) {
    settingsWrite_ = Operation::Import;
    QPointer<AppViewModel> self(this);
    // The write-back blocks its own worker between blocks, never the main thread.
    WorkerQueue::post([self, semaphore = loadSemaphore, image = std::move(image)] {
        auto failed = std::make_shared<std::atomic<bool>>(false);
        for (int n = 0; n < E2P_BLOCK_MAX_COUNT; ++n) {
            const std::size_t from = std::min(image.size(), std::size_t(n) * E2P_BLOCK_SIZE);
            const std::size_t to = std::min(image.size(), from + E2P_BLOCK_SIZE);
            const Bytes block(image.begin() + std::ptrdiff_t(from), image.begin() + std::ptrdiff_t(to));
            LensClient::exchange(CommDataFormat::buildWrite(true, std::uint8_t(n), 0, 0, block),
                                 LensClient::withStatus([failed, semaphore](bool ok, const Bytes&) {
                                     if (!ok)
                                         *failed = true;
                                     semaphore->release();
                                 }));
            semaphore->acquire();
            if (*failed)
                break;
        }
        MainThread::post([self, failed, image] {
            if (!self)
                return;
            self->settingsWrite_.reset();
            if (*failed) {
                self->report(Operation::Import, Outcome::Failed, "Home_SettingInputError");
                return;
            }
            self->report(Operation::Import, Outcome::Done, "Home_SettingInputEnd", [self, image] {
                self->imported_ = image;
                self->reread();
            });
        });
    });
}

// A lens can acknowledge every block and still keep other values (a camera body in the
// way, a worn memory): what it holds now is compared with what was written.
void AppViewModel::checkImported(const Bytes& written) {
    const LensSettings::Differences differences =
        LensSettings::compare(written, lens_setting_->e2p());
    if (differences.empty()) {
        finish(Operation::SettingsRead, Outcome::Done);
        return;
    }
    QStringList names;
    for (const LensSettings::Field field : differences.settings)
        names.append(qtTrId(LensSettings::nameId(field)));
    if (differences.otherBytes)
        names.append(qtTrId("Setting_Other"));
    const QString list = QLocale(Texts::currentLanguage()).createSeparatedList(names);
    report(Operation::SettingsRead, Outcome::Failed, "Home_SettingInputVerifyError", {}, {list});
}

} // namespace kelvara
