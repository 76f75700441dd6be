#include "CliCommand.h"
#include "CliSession.h"
#include "CliText.h"
#include "Console.h"
#include "LensJson.h"
#include "SettingChange.h"
#include "SettingLines.h"

#include "controller/AppViewModel.h"
#include "model/BasicInfoViewModel.h"
#include "model/ButtonFunc.h"
#include "model/ButtonItemModel.h"
#include "platform/Texts.h"

#include <QCommandLineParser>

namespace kelvara {

namespace {

constexpr int CONNECT_MS = 10000;
constexpr int FIRMWARE_CHECK_MS = 10000;

QString labelled(const QString& label, const QString& value) {
    return label + QStringLiteral(": ") + value;
}

QString tr(const char* key) {
    return Texts::text(QLatin1String(key));
}

QString mountText(MountType mount) {
    switch (mount) {
    case CanonRF:
        return QStringLiteral("Canon RF");
    case NikonZ:
        return QStringLiteral("Nikon Z");
    case FujiX:
        return QStringLiteral("Fujifilm X");
    case SonyE:
        break;
    }
    return QStringLiteral("Sony E");
}

QStringList supportedSettings(const BasicInfoViewModel& info) {
    QStringList names;
    const std::pair<int, const char*> bits[] = {
        {0, "Home_LabelFocusSetButton"}, {1, "Home_LabelCustomSwitch"},
        {3, "Home_RingDirectionSetting"}, {4, "Home_RingResponseSetting"},
        {5, "Home_RingAngleSetting"},     {10, "Home_DelaySetting"}};
    for (const auto& [bit, key] : bits)
        if (info.isSettingSupported(bit))
            names.append(tr(key));
    if (info.isAFCustomizeVisible())
        names.append(tr("Home_AfCustomize"));
    return names;
}

void print(CliSession& session, bool json, bool checkEnded) {
    const AppViewModel& c = session.controller();
    if (json) {
        session.printJson(LensJson::describe(c, checkEnded));
        return;
    }
    const BasicInfoViewModel& info = *c.basic_info();
    Console::out(labelled(CliText::text(CliText::Product), info.productName()));
    Console::out(labelled(CliText::text(CliText::Model), info.modelName()));
    Console::out(labelled(CliText::text(CliText::Mount), mountText(info.mountType())));
    Console::out(labelled(tr("Firmware_Current"), info.displayCurrentVersion()));
    QString latest = info.displayNewVersion();
    if (!checkEnded)
        latest += QStringLiteral(" (") + CliText::text(CliText::CheckUnfinished) + QLatin1Char(')');
    else if (info.is_new())
        latest += QStringLiteral("  ") + tr("Firmware_UpdateExists");
    else if (info.displayNewVersion() != QLatin1String("--"))
        latest += QStringLiteral("  (") + CliText::text(CliText::UpToDate) + QLatin1Char(')');
    Console::out(labelled(tr("Firmware_Latest"), latest));
    if (!c.footer_message().isEmpty())
        Console::err(Console::oneLine(c.footer_message()));

    Console::out(labelled(CliText::text(CliText::Buttons), QString::number(info.customButtonCount())));
    Console::out(labelled(CliText::text(CliText::SwitchPositions),
                          QString::number(info.customSwitchStateCount())));
    Console::out(labelled(CliText::text(CliText::SupportedSettings),
                          supportedSettings(info).join(QStringLiteral(", "))));
    QStringList functions;
    for (int id = 0; id < BUTTON_FUNC_COUNT; ++id)
        if (c.button_item()->isFunctionSelectable(id))
            functions.append(QStringLiteral("%1 %2 [%3]")
                                 .arg(id)
                                 .arg(c.button_item()->functionLabel(id), SettingChange::functionName(id)));
    Console::out(labelled(CliText::text(CliText::SelectableFunctions), functions.join(QStringLiteral(", "))));
    QStringList positions;
    for (const LimitPosition& p : info.limitPosition())
        positions.append(QStringLiteral("%1 %2").arg(p.id).arg(p.name));
    Console::out(labelled(CliText::text(CliText::LimitPositions), positions.join(QStringLiteral(", "))));

    for (const SettingLines::Line& line : SettingLines::of(c))
        Console::out(labelled(line.label, line.value));
}

} // namespace

CliCommand infoCommand() {
    CliCommand command{QStringLiteral("info"), QStringLiteral("[--json]"),
            QStringLiteral("identity, firmware (and the newest on the update server),\n"
                           "capabilities and every setting; --json: the decoded values"),
            QString(),
            {QCommandLineOption(QStringLiteral("json"), QStringLiteral("the decoded values as JSON"))},
            [](const QCommandLineParser& parser, QString*) -> CliCommand::Run {
                const bool json = parser.isSet(QStringLiteral("json"));
                return [json](CliSession& session) {
                    session.armWatchdog(CONNECT_MS);
                    session.connectLens([&session, json] {
                        session.armWatchdog(CONNECT_MS + FIRMWARE_CHECK_MS);
                        session.whenFirmwareChecked(FIRMWARE_CHECK_MS,
                                                    [&session, json](std::optional<Outcome> check) {
                                                        print(session, json,
                                                              check.has_value());
                                                        session.finish(0);
                                                    });
                    });
                };
            }};
    command.eachPort = true;
    return command;
}

} // namespace kelvara
