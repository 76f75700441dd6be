// The settings file: saving an exported image and loading one for import.
#include "AppViewModel.h"

#include "FileDialogs.h"
#include "SettingsFile.h"
#include "model/BasicInfoViewModel.h"
#include "platform/MainThread.h"
#include "ui/MessageViewModel.h"

#include <QFile>
#include <QPointer>
#include <QSaveFile>

namespace kelvara {

void AppViewModel::saveExport(const Bytes& image) {
    if (!fileDialogs_) {
        finish(Operation::Export, Outcome::Refused);
        return;
    }
    QPointer<AppViewModel> self(this);
    fileDialogs_->chooseSaveFile(
        basic_info_->modelName() + QStringLiteral("_export"),
        QLatin1String(SettingsFile::EXTENSION), [self, image](const QString& path) {
            if (!self)
                return;
            if (path.isEmpty()) {
                self->finish(Operation::Export, Outcome::AnsweredNo);
                return;
            }
            const Bytes file = SettingsFile::build(self->basic_info_->identityHeader(), image);
            if (file.empty()) {
                self->report(Operation::Export, Outcome::Failed, "Home_SettingOutputError");
                return;
            }
            // Written aside and renamed, so a failed write never leaves half a file.
            QSaveFile out(path);
            const bool written = out.open(QIODevice::WriteOnly) &&
                                 out.write(toQByteArray(file)) == qint64(file.size()) &&
                                 out.commit();
            self->report(Operation::Export, written ? Outcome::Done : Outcome::Failed,
                         written ? "Home_SettingOutputEnd" : "Home_FileSaveError");
        });
}

void AppViewModel::importSettings() {
    QPointer<AppViewModel> self(this);
    MainThread::post([self] {
        if (!self)
            return;
        if (!self->fileDialogs_) {
            self->finish(Operation::Import, Outcome::Refused);
            return;
        }
        self->fileDialogs_->chooseOpenFile(QLatin1String(SettingsFile::EXTENSION),
                                           [self](const QString& path) {
                                               if (!self)
                                                   return;
                                               if (path.isEmpty())
                                                   self->finish(Operation::Import,
                                                                Outcome::AnsweredNo);
                                               else
                                                   self->openImport(path);
                                           });
    });
}

void AppViewModel::openImport(const QString& path) {
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly)) {
        report(Operation::Import, Outcome::Failed, "Home_FileLoadError");
        return;
    }
    // Read one byte past the size a settings file has, so a longer file is recognised
    // without reading all of it.
    const QByteArray bytes = in.read(qint64(SettingsFile::FILE_SIZE) + 1);
    if (in.error() != QFileDevice::NoError) {
        report(Operation::Import, Outcome::Failed, "Home_FileLoadError");
        return;
    }
    const auto image = SettingsFile::imageFor(toBytes(bytes), basic_info_->rom());
    if (!image) {
        report(Operation::Import, Outcome::Failed, "Home_FileIllegal");
        return;
    }
    backUpBeforeOverwrite(SettingsBackup::Reason::Import);
    writeBack(*image);
}

} // namespace kelvara
