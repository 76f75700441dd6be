#include "SettingsBackup.h"

#include "SettingsFile.h"
#include "platform/Diagnostics.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>

namespace kelvara {

namespace {

constexpr SettingsBackup::Reason REASONS[] = {SettingsBackup::Reason::Import,
                                              SettingsBackup::Reason::Reset,
                                              SettingsBackup::Reason::FirmwareUpdate};

const QString STAMP_FORMAT = QStringLiteral("yyyyMMdd-HHmmss-zzz");

// MODEL_STAMP_REASON, or MODEL_STAMP for a backup from before reasons were recorded.
QRegularExpressionMatch matchName(const QString& path) {
    static const QRegularExpression name(
        QStringLiteral("^(.*)_(\\d{8}-\\d{6}-\\d{3})(?:_([a-z-]+))?$"));
    return name.match(QFileInfo(path).completeBaseName());
}

} // namespace

QString SettingsBackup::reasonName(Reason reason) {
    switch (reason) {
    case Reason::Import:
        return QStringLiteral("import");
    case Reason::Reset:
        return QStringLiteral("reset");
    case Reason::FirmwareUpdate:
        return QStringLiteral("firmware-update");
    case Reason::Unknown:
        break;
    }
    return {};
}

SettingsBackup::Reason SettingsBackup::reasonOf(const QString& path) {
    const QString name = matchName(path).captured(3);
    for (const Reason reason : REASONS)
        if (!name.isEmpty() && name == reasonName(reason))
            return reason;
    return Reason::Unknown;
}

QString SettingsBackup::modelOf(const QString& path) {
    const QRegularExpressionMatch m = matchName(path);
    return m.hasMatch() ? m.captured(1) : QString();
}

QDateTime SettingsBackup::takenAt(const QString& path) {
    return QDateTime::fromString(matchName(path).captured(2), STAMP_FORMAT);
}

QString SettingsBackup::fileModelName(const QString& modelName) {
    // Model names come from the lens; keep only what is safe in a file name.
    QString safeModel = modelName;
    safeModel.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_-]")), QStringLiteral("_"));
    return safeModel.isEmpty() ? QStringLiteral("lens") : safeModel;
}

QString SettingsBackup::directory() {
    // Fixed names, so the window and the command-line tool share one directory.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Kelvara/LensUtility/backups");
}

QString SettingsBackup::save(Reason reason, const QString& modelName, const Bytes& header,
                             const Bytes& image) {
    const Bytes file = SettingsFile::build(header, image);
    if (file.empty()) {
        Diagnostics::line(QStringLiteral("backup skipped: no complete settings image"));
        return {};
    }
    QDir dir(directory());
    if (!dir.mkpath(QStringLiteral("."))) {
        Diagnostics::line(QStringLiteral("backup failed: cannot create ") + dir.path());
        return {};
    }
    const QString stamp = QDateTime::currentDateTime().toString(STAMP_FORMAT);
    const QString path = dir.filePath(QStringLiteral("%1_%2_%3.%4")
                                          .arg(fileModelName(modelName), stamp, reasonName(reason),
                                               QLatin1String(SettingsFile::EXTENSION)));
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(toQByteArray(file)) != qint64(file.size()) ||
        !out.commit()) {
        Diagnostics::line(QStringLiteral("backup failed: cannot write ") + path);
        return {};
    }
    // The newest KEEP of this model stay, whatever other lenses were backed up since.
    int kept = 0;
    for (const QString& older : list())
        if (modelOf(older) == fileModelName(modelName) && ++kept > KEEP)
            QFile::remove(older);
    return path;
}

QStringList SettingsBackup::list() {
    QDir dir(directory());
    QFileInfoList files = dir.entryInfoList(
        {QStringLiteral("*.") + QLatin1String(SettingsFile::EXTENSION)}, QDir::Files);
    // The time stamp orders backups of every model together.
    const auto stamp = [](const QFileInfo& info) {
        const QRegularExpressionMatch m = matchName(info.filePath());
        return m.hasMatch() ? m.captured(2) : info.completeBaseName().section(QLatin1Char('_'), -1);
    };
    std::sort(files.begin(), files.end(),
              [&](const QFileInfo& a, const QFileInfo& b) { return stamp(a) > stamp(b); });
    QStringList paths;
    for (const QFileInfo& info : files)
        paths.append(info.absoluteFilePath());
    return paths;
}

} // namespace kelvara
