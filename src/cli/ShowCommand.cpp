#include "CliCommand.h"
#include "CliSession.h"
#include "CliText.h"
#include "Console.h"
#include "LensJson.h"
#include "SettingLines.h"
#include "SettingsFileView.h"

#include "controller/AppViewModel.h"
#include "model/BasicInfoViewModel.h"
#include "platform/Texts.h"

#include <QCommandLineParser>

namespace kelvara {

CliCommand showCommand() {
    return {
        QStringLiteral("show"),
        QStringLiteral("FILE [--json]"),
        QStringLiteral("a settings file's model, firmware version and every setting,\n"
                       "without a lens; --json: the keys of info --json"),
        QStringLiteral("A damaged file is refused as import refuses it. The file names its\n"
                       "lens's model and firmware only: every switch position and the button\n"
                       "are shown, AF limit ends as the closest or infinity, and functions by\n"
                       "their names on a Sony E lens. --json gives the values exactly.\n"),
        {QCommandLineOption(QStringLiteral("json"), QStringLiteral("the decoded values as JSON"))},
        [](const QCommandLineParser& parser, QString* error) -> CliCommand::Run {
            const bool json = parser.isSet(QStringLiteral("json"));
            return CliCommand::withFile(
                QStringLiteral("show"), [json](const QString& path) -> CliCommand::Run {
                    return [json, path](CliSession& session) {
                        QString textId;
                        const auto file = SettingsFileView::read(path, {}, &textId);
                        if (!file) {
                            session.fail(Console::oneLine(Texts::text(textId)));
                            return;
                        }
                        session.stayOffline();
                        const AppViewModel& c = session.controller();
                        SettingsFileView::load(session.controller(), *file, true);
                        const BasicInfoViewModel& info = *c.basic_info();
                        if (json) {
                            session.printJson(
                                {{QStringLiteral("modelName"), info.modelName()},
                                 {QStringLiteral("currentVersion"), info.currentVersion()},
                                 {QStringLiteral("settings"), LensJson::settings(c)}});
                        } else {
                            Console::out(CliText::text(CliText::Model) + QStringLiteral(": ") +
                                         info.modelName());
                            Console::out(Texts::text(QStringLiteral("Firmware_Current")) +
                                         QStringLiteral(": ") + info.displayCurrentVersion());
                            for (const SettingLines::Line& line : SettingLines::of(c))
                                Console::out(line.label + QStringLiteral(": ") + line.value);
                        }
                        session.finish(0);
                    };
                })(parser, error);
        }};
}

} // namespace kelvara
