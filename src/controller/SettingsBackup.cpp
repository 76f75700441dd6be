#include "SettingsBackup.h"

#include "SettingsFile.h"
#include "platform/Diagnostics.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>
#include <vector>

namespace kelvara {

namespace {

constexpr SettingsBackup::Reason REASONS[] = {SettingsBackup::Reason::Import,
                                              SettingsBackup::Reason::Reset,
                                              SettingsBackup::Reason::FirmwareUpdate};

const QString STAMP_FORMAT = QStringLiteral("yyyyMMdd-HHmmss-zzz");

// The parts of a backup's name: MODEL_STAMP_REASON, or MODEL_STAMP for a backup from
// before reasons were recorded. Read by hand rather than with a regular expression, which
// the window would otherwise start for this alone when a lens connects.
struct BackupName {
    bool valid = false;
    QString model;
    QString stamp;
    QString reason;
};

bool isAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// yyyyMMdd-HHmmss-zzz as digits.
bool isStamp(QStringView text) {
    if (text.size() != STAMP_FORMAT.size())
        return false;
    for (qsizetype i = 0; i < text.size(); ++i)
        if (STAMP_FORMAT.at(i) == u'-' ? text.at(i) != u'-' : !isAsciiDigit(text.at(i)))
            return false;
    return true;
}

bool isReason(QStringView text) {
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
        return (c >= u'a' && c <= u'z') || c == u'-';
    });
}

BackupName parseName(const QString& path) {
    const QString base = QFileInfo(path).completeBaseName();
    const QStringView name = base;
    BackupName parts;
    const qsizetype last = name.lastIndexOf(u'_');
    if (last < 0)
        return parts;
    QStringView stampEnd = name;
    if (isReason(name.mid(last + 1))) {
        parts.reason = name.mid(last + 1).toString();
        stampEnd = name.left(last);
    }
    const qsizetype stampAt = stampEnd.size() - STAMP_FORMAT.size();
    if (stampAt < 1 || stampEnd.at(stampAt - 1) != u'_' || !isStamp(stampEnd.mid(stampAt)))
        return {};
    parts.valid = true;
    parts.model = stampEnd.left(stampAt - 1).toString();
    parts.stamp = stampEnd.mid(stampAt).toString();
    return parts;
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
    const BackupName parts = parseName(path);
    for (const Reason reason : REASONS)
        if (parts.valid && parts.reason == reasonName(reason))
            return reason;
    return Reason::Unknown;
}

QString SettingsBackup::modelOf(const QString& path) {
    return parseName(path).model;
}

QDateTime SettingsBackup::takenAt(const QString& path) {
    return QDateTime::fromString(parseName(path).stamp, STAMP_FORMAT);
}

QString SettingsBackup::fileModelName(const QString& modelName) {
    // Model names come from the lens; keep only what is safe in a file name.
    QString safeModel;
    for (qsizetype i = 0; i < modelName.size(); ++i) {
        const QChar c = modelName.at(i);
        const bool safe = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || isAsciiDigit(c) ||
                          c == u'_' || c == u'-';
        safeModel += safe ? c : u'_';
        // A character beyond the first plane becomes one "_", not two.
        if (c.isHighSurrogate() && i + 1 < modelName.size() && modelName.at(i + 1).isLowSurrogate())
            ++i;
    }
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
    QFileInfoList files = dir.entryInfoList(QDir::Files);
    const QString extension = QLatin1Char('.') + QLatin1String(SettingsFile::EXTENSION);
    files.removeIf([&](const QFileInfo& info) {
        return !info.fileName().endsWith(extension, Qt::CaseInsensitive);
    });
    // The time stamp orders backups of every model together; each name is read once.
    std::vector<std::pair<QString, QString>> stamped; // stamp, path
    stamped.reserve(std::size_t(files.size()));
    for (const QFileInfo& info : files) {
        const BackupName parts = parseName(info.filePath());
        stamped.emplace_back(parts.valid ? parts.stamp
                                         : info.completeBaseName().section(QLatin1Char('_'), -1),
                             info.absoluteFilePath());
    }
    std::sort(stamped.begin(), stamped.end(),
              [](const auto& a, const auto& b) { return a.first > b.first; });
    QStringList paths;
    for (const auto& entry : stamped)
        paths.append(entry.second);
    return paths;
}

} // namespace kelvara
