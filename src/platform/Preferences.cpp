#include "Preferences.h"

#include "Environment.h"

#include <QSettings>

namespace kelvara {

namespace {
// Named explicitly so the store does not depend on how the application named itself.
QSettings store() {
    const QString file = Environment::current()->preferencesFile();
    if (!file.isEmpty())
        return QSettings(file, QSettings::IniFormat);
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Kelvara"),
                     QStringLiteral("LensUtility"));
}
} // namespace

bool Preferences::boolValue(const QString& key) {
    return store().value(key, false).toBool();
}

void Preferences::setBool(const QString& key, bool value) {
    auto settings = store();
    settings.setValue(key, value);
    settings.sync();
}

void Preferences::remove(const QString& key) {
    auto settings = store();
    settings.remove(key);
    settings.sync();
}

QString Preferences::location() {
    return store().fileName();
}

} // namespace kelvara
