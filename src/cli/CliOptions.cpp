#include "CliOptions.h"

#include <QUrl>

namespace kelvara {

std::optional<CliOptions> CliOptions::parse(const QStringList& args, QString* error) {
    CliOptions options;
    for (int i = 1; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (!options.command.isEmpty()) {
            options.arguments.append(arg);
        } else if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            options.help = true;
        } else if (arg == QLatin1String("--port")) {
            if (i + 1 >= args.size()) {
                *error = QStringLiteral("--port needs a device path");
                return std::nullopt;
            }
            options.port = args[++i];
        } else if (arg.startsWith(QLatin1String("--port="))) {
            options.port = arg.mid(7);
        } else if (arg == QLatin1String("--server")) {
            if (i + 1 >= args.size()) {
                *error = QStringLiteral("--server needs a URL");
                return std::nullopt;
            }
            options.server = args[++i];
        } else if (arg.startsWith(QLatin1String("--server="))) {
            options.server = arg.mid(9);
        } else if (arg == QLatin1String("--simulate")) {
            options.simulate = QString();
        } else if (arg.startsWith(QLatin1String("--simulate="))) {
            options.simulate = arg.mid(11);
        } else if (arg.startsWith(QLatin1Char('-'))) {
            *error = QStringLiteral("unknown option %1").arg(arg);
            return std::nullopt;
        } else {
            options.command = arg;
        }
    }
    if (options.port.isEmpty() == false && options.simulate) {
        *error = QStringLiteral("--port and --simulate cannot be used together");
        return std::nullopt;
    }
    if (!options.server.isEmpty()) {
        const QUrl url(options.server, QUrl::StrictMode);
        const QString scheme = url.scheme();
        if (!url.isValid() || (scheme != QLatin1String("file") && url.host().isEmpty()) ||
            (scheme != QLatin1String("http") && scheme != QLatin1String("https") &&
             scheme != QLatin1String("file"))) {
            *error = QStringLiteral("--server needs an http, https or file URL, not %1")
                         .arg(options.server);
            return std::nullopt;
        }
    }
    if (options.command.isEmpty() && !options.help) {
        *error = QStringLiteral("no command given");
        return std::nullopt;
    }
    return options;
}

QString CliOptions::usage() {
    return QStringLiteral(
        "Usage: kelvara-lens-cli [--port PATH] [--simulate[=PRESET]] [--server URL] COMMAND\n"
        "\n"
        "Commands:\n"
        "  ports   list the lens adapter ports found\n"
        "  probe   connect, print the attach answer, the basic-information record and\n"
        "          both settings blocks as hex, then disconnect\n"
        "\n"
        "Options:\n"
        "  --port PATH           use this serial port instead of searching for the adapter\n"
        "                        (also KELVARA_PORT)\n"
        "  --simulate[=PRESET]   run against the built-in virtual lens and update server\n"
        "  --server URL          base URL of the update server (also KELVARA_UPDATE_URL)\n");
}

} // namespace kelvara
