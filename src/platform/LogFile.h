#pragma once

#include <QFile>
#include <QString>

#include <mutex>

namespace kelvara {

// One run's log file among the newest KEEP in a folder: lines with their time, written
// through at once so that a crash keeps them, up to a size cap after which further lines
// are dropped. Lines may come from any thread.
class LogFile {
  public:
    static constexpr int KEEP = 10;
    static constexpr qint64 MAX_BYTES = 4 * 1024 * 1024;

    // $XDG_STATE_HOME/kelvara-lens-utility/logs, or under ~/.local/state without it.
    static QString directory();

    explicit LogFile(qint64 maxBytes = MAX_BYTES);

    // Starts a new file in `dir` (created when missing) and removes the oldest beyond
    // KEEP; false when the file cannot be created.
    bool open(const QString& dir);
    QString path() const;
    void write(const QString& line);

  private:
    const qint64 maxBytes_;
    mutable std::mutex mutex_;
    QFile file_;
    qint64 written_ = 0;
    bool full_ = false;
};

} // namespace kelvara
