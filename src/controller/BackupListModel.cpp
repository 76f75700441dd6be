#include "BackupListModel.h"

#include "SettingsBackup.h"

#include <QLocale>

#include <algorithm>

namespace kelvara {

namespace {

const char* reasonTextId(SettingsBackup::Reason reason) {
    switch (reason) {
    case SettingsBackup::Reason::Import:
        return "Backups_ReasonImport";
    case SettingsBackup::Reason::Reset:
        return "Backups_ReasonReset";
    case SettingsBackup::Reason::FirmwareUpdate:
        return "Backups_ReasonFirmwareUpdate";
    case SettingsBackup::Reason::Unknown:
        break;
    }
    return "Backups_ReasonUnknown";
}

} // namespace

BackupListModel::BackupListModel(QObject* parent) : QAbstractListModel(parent) {}

int BackupListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count();
}

QVariant BackupListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= count())
        return {};
    const Row& row = rows_.at(index.row());
    switch (role) {
    case PathRole:
        return row.path;
    case ModelRole:
        return row.model;
    case TakenRole:
        return row.taken.isValid() ? QLocale().toString(row.taken, QLocale::ShortFormat)
                                   : QString();
    case ReasonTextIdRole:
        return QString::fromLatin1(row.reasonTextId);
    case CurrentModelRole:
        return row.currentModel;
    default:
        return {};
    }
}

QHash<int, QByteArray> BackupListModel::roleNames() const {
    return {{PathRole, "path"},
            {ModelRole, "lensModel"},
            {TakenRole, "taken"},
            {ReasonTextIdRole, "reasonTextId"},
            {CurrentModelRole, "currentModel"}};
}

void BackupListModel::refresh(const QString& modelName) {
    const QString current =
        modelName.isEmpty() ? QString() : SettingsBackup::fileModelName(modelName);
    QVector<Row> rows;
    for (const QString& path : SettingsBackup::list()) {
        const QString model = SettingsBackup::modelOf(path);
        rows.append({path, model, SettingsBackup::takenAt(path),
                     reasonTextId(SettingsBackup::reasonOf(path)),
                     !current.isEmpty() && model == current});
    }
    // The listing is newest first; a stable partition keeps that within each group.
    std::stable_partition(rows.begin(), rows.end(), [](const Row& r) { return r.currentModel; });
    const bool countChanges = rows.size() != rows_.size();
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
    if (countChanges)
        emit countChanged();
}

} // namespace kelvara
