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
#include <QJsonArray>
#include <QJsonDocument>

namespace kelvara {

namespace {

constexpr int CONNECT_MS = 10000;
constexpr int DIFFERENT = 4;

// One side of the comparison: its settings in info's words and under info's keys.
struct Side {
    QString name;    // how the human output calls it
    QString jsonKey; // "lens", "file", "a" or "b"
    QList<SettingLines::Line> lines;
    QJsonObject settings;
};

Side sideOf(const AppViewModel& c, const QString& name, const QString& jsonKey) {
    return {name, jsonKey, SettingLines::of(c), LensJson::settings(c)};
}

QString compact(const QJsonValue& value) {
    if (value.isArray())
        return QString::fromUtf8(QJsonDocument(value.toArray()).toJson(QJsonDocument::Compact));
    return value.toVariant().toString();
}

// Prints what differs and ends with 0 when nothing does, 4 otherwise.
void compare(CliSession& session, const Side& a, const Side& b, bool json) {
    QJsonArray differences;
    QStringList keys;
    for (auto it = a.settings.begin(); it != a.settings.end(); ++it) {
        if (b.settings.value(it.key()) == it.value())
            continue;
        keys.append(it.key());
        differences.append(QJsonObject{{QStringLiteral("setting"), it.key()},
                                       {a.jsonKey, it.value()},
                                       {b.jsonKey, b.settings.value(it.key())}});
    }
    if (json) {
        session.printJson({{QStringLiteral("differences"), differences}});
    } else if (keys.isEmpty()) {
        Console::out(CliText::text(CliText::SettingsAlike));
    } else {
        const auto both = [&](const QString& label, const QString& first, const QString& second) {
            Console::out(label + QLatin1Char(':'));
            Console::out(QStringLiteral("  ") + a.name + QStringLiteral(": ") + first);
            Console::out(QStringLiteral("  ") + b.name + QStringLiteral(": ") + second);
        };
        bool worded = false;
        for (int i = 0; i < a.lines.size() && i < b.lines.size(); ++i) {
            if (a.lines[i].value != b.lines[i].value) {
                both(a.lines[i].label, a.lines[i].value, b.lines[i].value);
                worded = true;
            }
        }
        // A setting that the words leave out, such as a time of a function that has none.
        if (!worded)
            for (const QString& key : keys)
                both(key, compact(a.settings.value(key)), compact(b.settings.value(key)));
    }
    session.finish(keys.isEmpty() ? 0 : DIFFERENT);
}

std::optional<Bytes> readOrFail(CliSession& session, const QString& path, const Bytes& rom) {
    QString textId;
    const auto file = SettingsFileView::read(path, rom, &textId);
    if (!file)
        session.fail(Console::oneLine(Texts::text(textId)));
    return file;
}

void lensWithFile(CliSession& session, const QString& path, bool json) {
    // A damaged file is refused before the lens is touched.
    if (!readOrFail(session, path, {}))
        return;
    session.armWatchdog(CONNECT_MS);
    session.connectLens([&session, path, json] {
        AppViewModel& c = session.controller();
        const auto file = readOrFail(session, path, c.basic_info()->rom());
        if (!file)
            return;
        const Side lens = sideOf(c, CliText::text(CliText::TheLens), QStringLiteral("lens"));
        SettingsFileView::load(c, *file, false);
        compare(session, lens, sideOf(c, CliText::text(CliText::TheFile), QStringLiteral("file")),
                json);
    });
}

void twoFiles(CliSession& session, const QString& pathA, const QString& pathB, bool json) {
    const auto a = readOrFail(session, pathA, {});
    if (!a)
        return;
    // The second file is held to the first one's model, as a lens would hold it.
    const auto b = readOrFail(session, pathB, SettingsFileView::recordFor(*a));
    if (!b)
        return;
    session.stayOffline();
    AppViewModel& c = session.controller();
    SettingsFileView::load(c, *a, true);
    const Side first = sideOf(c, pathA, QStringLiteral("a"));
    SettingsFileView::load(c, *b, false);
    compare(session, first, sideOf(c, pathB, QStringLiteral("b")), json);
}

} // namespace

CliCommand diffCommand() {
    return {QStringLiteral("diff"),
            QStringLiteral("FILE [FILE2] [--json]"),
            QStringLiteral("the settings that differ between the lens and FILE, or between\n"
                           "two settings files; exit status 0 alike, 4 different"),
            QStringLiteral(
                "Each setting that differs is listed with both values in the words of info;\n"
                "--json: {\"differences\": [{\"setting\": KEY, \"lens\" or \"a\": VALUE,\n"
                "\"file\" or \"b\": VALUE}]}, KEY being a key of info --json's \"settings\".\n"
                "A damaged file, or one of another model, is refused as import refuses it.\n"
                "Exit status: 0 alike, 4 different, 1 failed.\n"),
            {QCommandLineOption(QStringLiteral("json"), QStringLiteral("the differences as JSON"))},
            [](const QCommandLineParser& parser, QString* error) -> CliCommand::Run {
                const bool json = parser.isSet(QStringLiteral("json"));
                const QStringList paths = parser.positionalArguments();
                if (paths.contains(QString())) {
                    *error = QStringLiteral("diff needs FILE");
                    return {};
                }
                if (paths.size() == 2)
                    return [json, paths](CliSession& session) {
                        twoFiles(session, paths[0], paths[1], json);
                    };
                return [json, path = paths.value(0)](CliSession& session) {
                    lensWithFile(session, path, json);
                };
            }};
}

} // namespace kelvara
