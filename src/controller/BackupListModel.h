#pragma once

#include <QAbstractListModel>
#include <QDateTime>
#include <QString>
#include <QVector>

namespace kelvara {

// The automatic backups as the backups page lists them: those of the connected lens's
// model first, each group newest first. Read again from the backup directory on refresh.
class BackupListModel : public QAbstractListModel {
    Q_OBJECT
    Q_PROPERTY(int count READ count NOTIFY countChanged)

  public:
    enum Role {
        PathRole = Qt::UserRole + 1,
        ModelRole,
        TakenRole,        // date and time in the user's locale
        ReasonTextIdRole, // why it was taken, as a text id
        CurrentModelRole  // of the connected lens's model
    };

    explicit BackupListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;
    int count() const { return int(rows_.size()); }

    // `modelName` is the connected lens's; empty when none.
    void refresh(const QString& modelName);

  signals:
    void countChanged();

  private:
    struct Row {
        QString path;
        QString model;
        QDateTime taken;
        const char* reasonTextId;
        bool currentModel;
    };
    QVector<Row> rows_;
};

} // namespace kelvara
