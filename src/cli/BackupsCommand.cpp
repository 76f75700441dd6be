#include "CliCommand.h"
#include "CliSession.h"
#include "CliText.h"
#include "Console.h"

#include "controller/SettingsBackup.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace kelvara {

namespace {

QString why(SettingsBackup::Reason reason) {
    switch (reason) {
    case SettingsBackup::Reason::Import:
        return CliText::text(CliText::BeforeImport);
    case SettingsBackup::Reason::Reset:
        return CliText::text(CliText::BeforeReset);
    case SettingsBackup::Reason::FirmwareUpdate:
        return CliText::text(CliText::BeforeFirmwareUpdate);
    case SettingsBackup::Reason::Unknown:
        break;
    }
    return CliText::text(CliText::ReasonUnknown);
}

void printJson() {
    QJsonArray backups;
    for (const QString& path : SettingsBackup::list()) {
        const QString reason = SettingsBackup::reasonName(SettingsBackup::reasonOf(path));
        backups.append(QJsonObject{
            {QStringLiteral("path"), path},
            {QStringLiteral("reason"), reason.isEmpty() ? QJsonValue() : QJsonValue(reason)}});
    }
    const QJsonObject doc{{QStringLiteral("directory"), SettingsBackup::directory()},
                          {QStringLiteral("backups"), backups}};
    Console::out(QString::fromUtf8(QJsonDocument(doc).toJson(QJsonDocument::Indented)).trimmed());
}

void printList() {
    Console::out(CliText::text(CliText::BackupDirectory).arg(SettingsBackup::directory()));
    const QStringList backups = SettingsBackup::list();
    if (backups.isEmpty())
        Console::out(CliText::text(CliText::NoBackups));
    for (const QString& path : backups)
        Console::out(path + QStringLiteral("  (") + why(SettingsBackup::reasonOf(path)) +
                     QLatin1Char(')'));
}

} // namespace

CliCommand backupsCommand() {
    return {QStringLiteral("backups"),
            QStringLiteral("[--json]"),
            QStringLiteral("the automatic backups taken before import, reset and firmware\n"
                           "update, newest first, each with why it was taken, after the line\n"
                           "naming their directory; --json: the same as JSON"),
            QString(),
            {QCommandLineOption(QStringLiteral("json"),
                                QStringLiteral("the directory and the backups as JSON (reason "
                                               "import, reset, firmware-update or null)"))},
            [](const QCommandLineParser& parser, QString*) -> CliCommand::Run {
                const bool json = parser.isSet(QStringLiteral("json"));
                return [json](CliSession& session) {
                    json ? printJson() : printList();
                    session.finish(0);
                };
            }};
}

} // namespace kelvara
