#pragma once

#include "link/Bytes.h"

#include <QString>
#include <QStringList>

namespace kelvara {

// Copies of a lens's settings taken before a reset or an import overwrites them, as
// ordinary settings files in the user's data directory; the newest KEEP are kept.
class SettingsBackup {
public:
    static constexpr int KEEP = 20;

    static QString directory();
    // Writes header + image as a settings file named by model and time; returns its path,
    // or an empty string (with a diagnostic line) when it could not be written.
    static QString save(const QString& modelName, const Bytes& header, const Bytes& image);
    // Newest first.
    static QStringList list();
};

} // namespace kelvara
