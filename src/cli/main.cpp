#include "CliCommand.h"
#include "CliSession.h"
#include "CliText.h"
#include "EachPort.h"
#include "StopSignals.h"

#include "Startup.h"
#include "link/LensClient.h"
#include "platform/Environment.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>
#include <QTimer>
#include <QUrl>

#include <memory>

using namespace kelvara;

namespace {

int failWith(const QString& reason, int code = 1) {
    QTextStream(stderr) << "kelvara-lens-cli: " << reason << Qt::endl;
    return code;
}

int usageError(const QString& reason) {
    QTextStream(stderr) << CliCommand::usage();
    return failWith(reason, 2);
}

QList<QCommandLineOption> globalOptions() {
    return {QCommandLineOption(QStringLiteral("port"), QString(), QStringLiteral("PATH")),
            QCommandLineOption(QStringLiteral("all-ports")),
            QCommandLineOption(QStringLiteral("simulate"), QString(), QStringLiteral("PRESET")),
            QCommandLineOption(QStringLiteral("server"), QString(), QStringLiteral("URL")),
            QCommandLineOption(QStringList{QStringLiteral("yes"), QStringLiteral("y")}),
            QCommandLineOption(QStringLiteral("verbose")),
            QCommandLineOption(QStringList{QStringLiteral("help"), QStringLiteral("h")})};
}

QString parseError(const QCommandLineParser& parser) {
    const QStringList unknown = parser.unknownOptionNames();
    if (unknown.isEmpty())
        return parser.errorText();
    const QString& name = unknown.first();
    return QStringLiteral("unknown option %1%2")
        .arg(name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"), name);
}

bool isOptionOf(const QString& token, const QList<QCommandLineOption>& options) {
    const QString name = token.mid(token.startsWith(QLatin1String("--")) ? 2 : 1).section(QLatin1Char('='), 0, 0);
    for (const QCommandLineOption& option : options)
        if (option.names().contains(name))
            return true;
    return false;
}

// After the command, a word that starts with "--" or names a known option is an option;
// anything else, a negative number among them, is an argument of the command.
QStringList commandLine(const QStringList& afterCommand, const QList<QCommandLineOption>& options) {
    QStringList optionWords;
    QStringList arguments;
    for (const QString& word : afterCommand) {
        const bool option = word.startsWith(QLatin1String("--")) ||
                            (word.startsWith(QLatin1Char('-')) && isOptionOf(word, options));
        (option ? optionWords : arguments).append(word);
    }
    return optionWords + QStringList{QStringLiteral("--")} + arguments;
}

QString serverError(const QString& server) {
    const QUrl url(server, QUrl::StrictMode);
    const QString scheme = url.scheme();
    if (!url.isValid() || (scheme != QLatin1String("file") && url.host().isEmpty()) ||
        (scheme != QLatin1String("http") && scheme != QLatin1String("https") &&
         scheme != QLatin1String("file")))
        return QStringLiteral("--server needs an http, https or file URL, not %1").arg(server);
    return {};
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    Startup startup;

    // A bare --simulate takes the default preset.
    QStringList args = QCoreApplication::arguments();
    for (QString& arg : args)
        if (arg == QLatin1String("--simulate"))
            arg = QStringLiteral("--simulate=");

    // The global options end at the command; what follows is read with its own options.
    QCommandLineParser global;
    global.addOptions(globalOptions());
    global.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    if (!global.parse(args))
        return usageError(parseError(global));
    const QStringList words = global.positionalArguments();
    if (words.isEmpty()) {
        if (global.isSet(QStringLiteral("help"))) {
            QTextStream(stdout) << CliCommand::usage();
            return 0;
        }
        return usageError(QStringLiteral("no command given"));
    }
    const CliCommand* command = CliCommand::find(words.first());
    if (!command)
        return usageError(QStringLiteral("unknown command %1").arg(words.first()));

    QCommandLineParser parser;
    const QList<QCommandLineOption> options = globalOptions() + command->options;
    parser.addOptions(options);
    const QStringList own = commandLine(words.mid(1), options);
    if (!parser.parse(QStringList{args.first()} + args.mid(1, args.size() - 1 - words.size()) + own))
        return failWith(parseError(parser), 2);
    if (parser.isSet(QStringLiteral("help")) || global.isSet(QStringLiteral("help"))) {
        QTextStream(stdout) << command->help();
        return 0;
    }
    QStringList ports = parser.values(QStringLiteral("port"));
    ports.removeAll(QString());
    ports.removeDuplicates();
    const bool allPorts = parser.isSet(QStringLiteral("all-ports"));
    const QString server = parser.value(QStringLiteral("server"));
    const bool simulate = parser.isSet(QStringLiteral("simulate"));
    if (!ports.isEmpty() && simulate)
        return failWith(QStringLiteral("--port and --simulate cannot be used together"), 2);
    if (allPorts && simulate)
        return failWith(QStringLiteral("--all-ports and --simulate cannot be used together"), 2);
    if (allPorts && !ports.isEmpty())
        return failWith(QStringLiteral("--port and --all-ports cannot be used together"), 2);
    if ((ports.size() > 1 || allPorts) && !command->eachPort)
        return failWith(QStringLiteral("%1 works on one lens; name one --port").arg(command->name), 2);
    if (!server.isEmpty()) {
        if (const QString error = serverError(server); !error.isEmpty())
            return failWith(error, 2);
    }
    const qsizetype given = parser.positionalArguments().size();
    const int most = command->maxArgumentCount();
    if (given < command->argumentCount() || (most >= 0 && given > most))
        return failWith(command->argumentCount() == 0
                            ? QStringLiteral("%1 takes no arguments").arg(command->name)
                            : QStringLiteral("%1 needs %2").arg(command->name, command->synopsis),
                        2);
    QString error;
    const CliCommand::Run run = command->prepare(parser, &error);
    if (!run)
        return failWith(error, 2);

    std::optional<QString> simulation;
    if (simulate)
        simulation = parser.value(QStringLiteral("simulate"));
    if (!startup.start({ports.size() == 1 ? ports.first() : QString(), server, simulation}, &error))
        return failWith(error);
    if (allPorts) {
        ports = LensClient::portList().findAdapterPorts();
        if (ports.isEmpty())
            return failWith(CliText::text(CliText::NoAdapter));
    }
    // One port is a single lens, as it always was: no heading, one JSON document.
    if (ports.size() == 1)
        ports.clear();

    // Standard output carries only what the command reports.
    if (!command->showsLink)
        startup.environment().setDiagnosticSink(parser.isSet(QStringLiteral("verbose"))
                                                    ? Diagnostics::Sink([](const QString& line) {
                                                          QTextStream(stderr) << line << Qt::endl;
                                                      })
                                                    : Diagnostics::Sink([](const QString&) {}));
    const auto answer = parser.isSet(QStringLiteral("yes")) ? CliSession::Answer::Yes
                                                            : CliSession::Answer::AskTerminal;
    const bool json = parser.optionNames().contains(QStringLiteral("json"));
    EachPort round(startup, ports, answer, json, run);
    QObject::connect(&round, &EachPort::finished, &app, &QCoreApplication::exit,
                     Qt::QueuedConnection);
    StopSignals stops;
    if (!stops.install(&error))
        return failWith(error);
    QObject::connect(&stops, &StopSignals::received, &round, &EachPort::stop);
    QTimer::singleShot(0, &round, &EachPort::start);
    return app.exec();
}
