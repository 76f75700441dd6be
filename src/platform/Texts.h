#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace kelvara {

// The program's string tables: English and Japanese, compiled into the program and looked
// up by text id (qtTrId in C++, qsTrId in QML). Web addresses are texts too; read them
// through url().
class Texts {
  public:
    // Languages with a table, English (the fallback) first.
    static QStringList languages();

    // The table language for a locale: the first of its UI languages that has a table,
    // else English. KELVARA_LANG=en|ja in the environment overrides the locale.
    static QString languageFor(const QLocale& locale);

    // Loads the table for the locale into the application (a QCoreApplication must exist),
    // replacing one installed earlier, and returns its language. Call it before creating
    // anything that looks texts up. Returns an empty string if the table cannot be loaded.
    static QString install(const QLocale& locale = QLocale::system());

    // The language installed by install(), or an empty string.
    static QString currentLanguage();

    // Resource path of a language's compiled table.
    static QString tablePath(const QString& language);

    // The text for an id; the id itself when no table has a text for it.
    static QString text(const QString& id);
    // The same with %1, %2, ... replaced by args, in order.
    static QString text(const QString& id, const QStringList& args);

    // Whether an id names a web address.
    static bool isUrlKey(QStringView id);

    // The absolute http(s) address stored under an id, or an empty string when the table
    // has no such text or it is not an absolute address.
    static QString url(const char* id);

    // Base of every documentation address, without a trailing slash (a build setting).
    static QString docsBaseUrl();
};

} // namespace kelvara
