#include "LogFile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>

namespace kelvara {

namespace {
const QString PREFIX = QStringLiteral("kelvara-lens-utility-");
const QString SUFFIX = QStringLiteral(".log");
} // namespace

QString LogFile::directory() {
    // XDG ignores a relative XDG_STATE_HOME.
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/kelvara-lens-utility/logs");
}

LogFile::LogFile(qint64 maxBytes) : maxBytes_(maxBytes) {}

bool LogFile::open(const QString& dir) {
    std::lock_guard lock(mutex_);
    QDir folder(dir);
    if (!folder.mkpath(QStringLiteral(".")))
        return false;
    // The time first, so that names sort as the runs started; the process id keeps two
    // runs of the same millisecond apart.
    const QString name =
        PREFIX + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz")) +
        QStringLiteral("-%1").arg(QCoreApplication::applicationPid()) + SUFFIX;
    file_.setFileName(folder.filePath(name));
    if (!file_.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Text))
        return false;
    written_ = 0;
    full_ = false;
    // Matched by hand: a name filter would start the regular-expression engine for it,
    // at every start of the window.
    QStringList runs = folder.entryList(QDir::Files, QDir::Name | QDir::Reversed);
    runs.removeIf([](const QString& run) {
        return !run.startsWith(PREFIX, Qt::CaseInsensitive) || !run.endsWith(SUFFIX, Qt::CaseInsensitive);
    });
    for (int i = KEEP; i < runs.size(); ++i)
        folder.remove(runs.at(i));
    return true;
}

QString LogFile::path() const {
    std::lock_guard lock(mutex_);
    return file_.fileName();
}

void LogFile::write(const QString& line) {
    const QByteArray bytes = (QDateTime::currentDateTime().toString(Qt::ISODateWithMs) +
                              QLatin1Char(' ') + line + QLatin1Char('\n'))
                                 .toUtf8();
    std::lock_guard lock(mutex_);
    if (!file_.isOpen() || full_)
        return;
    // No line after the first that does not fit, so the file never has gaps.
    if (written_ + bytes.size() > maxBytes_) {
        full_ = true;
        return;
    }
    written_ += bytes.size();
    file_.write(bytes);
    file_.flush();
}

} // namespace kelvara
