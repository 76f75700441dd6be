#include "CliCommand.h"

#include <QCommandLineParser>

namespace kelvara {

namespace {

const QString GLOBAL_OPTIONS = QStringLiteral(
    "Options:\n"
    "  --port PATH           use this serial port instead of searching for the adapter\n"
    "                        (also KELVARA_PORT); given more than once, info, export,\n"
    "                        import, reset, check-update and update work on each lens\n"
    "                        in turn: output headed by each port, --json a list of the\n"
    "                        lenses' documents each with \"port\", one question for all\n"
    "                        lenses, exit status 1 when any of them failed\n"
    "  --all-ports           every adapter that the ports command lists, as above\n"
    "  --simulate[=PRESET]   run against the built-in virtual lens and update server\n"
    "                        (PRESET: a preset name, or a lens profile file NAME.json)\n"
    "  --server URL          base URL of the update server (also KELVARA_UPDATE_URL)\n"
    "  --yes, -y             answer yes to questions; without it a question is asked on\n"
    "                        the terminal, or answered no when there is none\n"
    "  --verbose             diagnostic lines of the lens link on standard error\n"
    "  --help, -h            this text; COMMAND --help explains one command\n");

const QString EXIT_STATUS = QStringLiteral(
    "Exit status: 0 done, 1 failed, 2 command line or value refused (nothing sent),\n"
    "3 a question answered no, 4 the settings differ (diff). Messages use the language\n"
    "of the locale; KELVARA_LANG=en or ja chooses one.\n");

constexpr int SUMMARY_COLUMN = 22;

// A summary's lines after the first are indented to its column.
QString commandLine(const CliCommand& command) {
    QString head = QStringLiteral("  ") + command.name;
    if (!command.synopsis.isEmpty())
        head += QLatin1Char(' ') + command.synopsis;
    const QString indent(SUMMARY_COLUMN, QLatin1Char(' '));
    QString summary = command.summary;
    summary.replace(QLatin1Char('\n'), QLatin1Char('\n') + indent);
    if (head.size() + 1 > SUMMARY_COLUMN)
        return head + QLatin1Char('\n') + indent + summary + QLatin1Char('\n');
    return head.leftJustified(SUMMARY_COLUMN, QLatin1Char(' ')) + summary + QLatin1Char('\n');
}

} // namespace

const QList<CliCommand>& CliCommand::all() {
    static const QList<CliCommand> commands{
        portsCommand(),  probeCommand(),   infoCommand(),        setCommand(),
        exportCommand(), importCommand(),  resetCommand(),       backupsCommand(),
        checkUpdateCommand(), updateCommand(), mirrorCommand(), doctorCommand(), showCommand(),
        diffCommand()};
    return commands;
}

int CliCommand::argumentCount() const {
    int count = 0;
    for (const QString& word : synopsis.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        count += word.startsWith(QLatin1Char('[')) ? 0 : 1;
    return count;
}

int CliCommand::maxArgumentCount() const {
    int count = 0;
    for (const QString& word : synopsis.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (word.startsWith(QLatin1String("[-")))
            continue;
        if (word.endsWith(QLatin1String("...")) || word.endsWith(QLatin1String("...]")))
            return -1;
        ++count;
    }
    return count;
}

CliCommand::Prepare CliCommand::always(Run run) {
    return [run = std::move(run)](const QCommandLineParser&, QString*) { return run; };
}

CliCommand::Prepare CliCommand::withFile(const QString& name,
                                         std::function<Run(const QString& path)> make) {
    return [name, make = std::move(make)](const QCommandLineParser& parser, QString* error) -> Run {
        const QString path = parser.positionalArguments().value(0);
        if (path.isEmpty()) {
            *error = QStringLiteral("%1 needs FILE").arg(name);
            return {};
        }
        return make(path);
    };
}

const CliCommand* CliCommand::find(const QString& name) {
    for (const CliCommand& command : all())
        if (command.name == name)
            return &command;
    return nullptr;
}

QString CliCommand::usage() {
    QString text = QStringLiteral(
        "Usage: kelvara-lens-cli [--port PATH]... [--all-ports] [--simulate[=PRESET]]\n"
        "                        [--server URL] [--yes] [--verbose] COMMAND [ARGUMENTS]\n"
        "\n"
        "Commands:\n");
    for (const CliCommand& command : all())
        text += commandLine(command);
    if (const CliCommand* set = find(QStringLiteral("set")))
        text += QStringLiteral("\nset SETTING VALUE:\n") + set->details;
    return text + QLatin1Char('\n') + GLOBAL_OPTIONS + QLatin1Char('\n') + EXIT_STATUS;
}

QString CliCommand::help() const {
    QString text = QStringLiteral("Usage: kelvara-lens-cli [OPTIONS] ") + name;
    if (!synopsis.isEmpty())
        text += QLatin1Char(' ') + synopsis;
    text += QStringLiteral("\n\n") + QString(summary).replace(QLatin1Char('\n'), QLatin1Char(' ')) +
            QStringLiteral("\n");
    if (!details.isEmpty())
        text += QLatin1Char('\n') + details;
    if (!options.isEmpty()) {
        text += QStringLiteral("\nOptions of %1:\n").arg(name);
        for (const QCommandLineOption& option : options) {
            QString names;
            for (const QString& n : option.names())
                names += (names.isEmpty() ? QString() : QStringLiteral(", ")) +
                         (n.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + n;
            if (!option.valueName().isEmpty())
                names += QLatin1Char(' ') + option.valueName();
            text += QStringLiteral("  ") + names.leftJustified(SUMMARY_COLUMN - 2, QLatin1Char(' ')) +
                    option.description() + QLatin1Char('\n');
        }
    }
    return text + QLatin1Char('\n') + GLOBAL_OPTIONS + QLatin1Char('\n') + EXIT_STATUS;
}

} // namespace kelvara
