#pragma once

#include <QMetaType>

namespace kelvara {

// What the controller was asked to do. Every run of one ends with exactly one Outcome.
enum class Operation {
    Connect,         // up to the settings read at connect, or a lens that asks for firmware
    SettingsRead,    // the re-read after a reset or an import
    Write,           // one setting written from a page or a command
    CancelWriteBack, // a popup's Cancel writing the earlier values back
    Reset,
    Export,
    Import,
    UtilityCheck,  // this program's version against the update server
    FirmwareCheck, // the lens's firmware against the update server
    FirmwareUpdate,
    SafeModeUpdate,    // the update a lens asks for when it connects
    FirmwareReconnect, // connecting again after an update, and the version found
    Disconnect,        // asked for, or the lens removed
    DeleteBackup,      // one automatic backup removed from the backups page
};

} // namespace kelvara

Q_DECLARE_METATYPE(kelvara::Operation)
