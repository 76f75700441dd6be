// The backups page: the automatic backups listed, loaded back into the lens, removed.
#include "AppViewModel.h"

#include "BackupListModel.h"
#include "model/BasicInfoViewModel.h"

#include <QFile>
#include <QPointer>

namespace kelvara {

void AppViewModel::refreshBackups() {
    backups_->refresh(connect_state_ == CONNECT_COMPLETE ? basic_info_->modelName() : QString());
}

void AppViewModel::restoreBackup(const QString& path) {
    QPointer<AppViewModel> self(this);
    // From here on it is an import of that file, with the same checks and messages.
    ask(Operation::Import, "Backups_RestoreQuestion", [self, path] {
        if (self)
            self->openImport(path);
    });
}

void AppViewModel::deleteBackup(const QString& path) {
    QPointer<AppViewModel> self(this);
    ask(Operation::DeleteBackup, "Backups_DeleteQuestion", [self, path] {
        if (!self)
            return;
        // Only a file of the backup directory, whatever the page hands over.
        const bool listed = SettingsBackup::list().contains(path);
        const bool removed = listed && QFile::remove(path);
        self->refreshBackups();
        if (removed)
            self->finish(Operation::DeleteBackup, Outcome::Done);
        else
            self->report(Operation::DeleteBackup, Outcome::Failed, "Backups_DeleteError");
    });
}

} // namespace kelvara
