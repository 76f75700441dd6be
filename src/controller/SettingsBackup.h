#pragma once

#include "link/Bytes.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace kelvara {

// Copies of a lens's settings taken before a reset, an import or a firmware update
// overwrites them, as ordinary settings files in the user's data directory; the newest
// KEEP of each model are kept. Why a copy was taken is part of its file name.
class SettingsBackup {
public:
    static constexpr int KEEP = 20;

    // Unknown: a file written before the reason was recorded.
    enum class Reason { Unknown, Import, Reset, FirmwareUpdate };

    static QString directory();
    // Writes header + image as a settings file named by model, time and reason; returns
    // its path, or an empty string (with a diagnostic line) when it could not be written.
    static QString save(Reason reason, const QString& modelName, const Bytes& header,
                        const Bytes& image);
    // Newest first.
    static QStringList list();
    static Reason reasonOf(const QString& path);
    // The model as the file name spells it (see fileModelName), and when the backup was
    // taken; an invalid time for a name that does not say.
    static QString modelOf(const QString& path);
    static QDateTime takenAt(const QString& path);
    // A lens's model name as backup file names carry it.
    static QString fileModelName(const QString& modelName);
    // The reason as its file names spell it ("firmware-update"); empty for Unknown.
    static QString reasonName(Reason reason);
};

} // namespace kelvara
