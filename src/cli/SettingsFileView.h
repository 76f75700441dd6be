#pragma once

#include "link/Bytes.h"

#include <QString>

#include <optional>

namespace kelvara {

class AppViewModel;

// A settings file read without writing it to a lens: checked as an import checks it, and
// decoded into a controller's settings so that it reads as a lens's settings do.
class SettingsFileView {
  public:
    // The file, when it belongs to the lens whose basic-information record is rom (with no
    // rom: to a lens of its own model). Otherwise nothing, and the text id of the message
    // an import gives.
    static std::optional<Bytes> read(const QString& path, const Bytes& rom, QString* textId);
    // The record of a lens of the file's model and firmware with every control and setting
    // the image can hold: the file says no more about the lens. Its AF limit positions are
    // the closest and infinity only.
    static Bytes recordFor(const Bytes& file);
    // Decodes the file's image into the controller's settings, sending nothing. With
    // record, the controller takes recordFor's record first.
    static void load(AppViewModel& controller, const Bytes& file, bool record);
};

} // namespace kelvara
