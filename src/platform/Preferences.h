#pragma once

#include <QString>

namespace kelvara {

// The per-user preferences store: Boolean keys in the settings of organisation "Kelvara",
// application "LensUtility", or in the file the current environment names.
class Preferences {
  public:
    static constexpr const char* SHOW_START_PAGE = "showStartPage";
    static constexpr const char* VISIBLE_AF_CUSTOMIZE = "visibleAFCustomize";

    Preferences() = delete;

    // False when the key is absent.
    static bool boolValue(const QString& key);
    static void setBool(const QString& key, bool value);
    static void remove(const QString& key);
    // The file the preferences live in.
    static QString location();
};

} // namespace kelvara
