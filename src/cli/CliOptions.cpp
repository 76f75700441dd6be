#include "CliOptions.h"

#include <QUrl>

namespace kelvara {

std::optional<CliOptions> CliOptions::parse(const QStringList& args, QString* error) {
    CliOptions options;
    for (int i = 1; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--yes") || arg == QLatin1String("-y")) {
            options.yes = true;
        } else if (arg == QLatin1String("--verbose")) {
            options.verbose = true;
        } else if (!options.command.isEmpty()) {
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
        "Usage: kelvara-lens-cli [--port PATH] [--simulate[=PRESET]] [--server URL] [--yes]\n"
        "                        [--verbose] COMMAND [ARGUMENTS]\n"
        "\n"
        "Commands:\n"
        "  ports               list the lens adapter ports found\n"
        "  probe               connect, print the attach answer, the basic-information record\n"
        "                      and both settings blocks as hex, then disconnect\n"
        "  info [--json]       identity, firmware (and the newest on the update server),\n"
        "                      capabilities and every setting; --json: the decoded values\n"
        "  set SETTING VALUE   change one setting of the lens (grammar below)\n"
        "  export FILE         save the lens's settings to FILE (530 bytes)\n"
        "  import FILE         load a settings file of the same model into the lens\n"
        "  reset               reset the lens's settings to their factory values (asks)\n"
        "  backups             the automatic backups taken before import and reset, newest\n"
        "                      first, after the line naming their directory\n"
        "  check-update        this program against the update server; with a lens adapter\n"
        "                      present, also the lens's firmware\n"
        "  update              install the newest lens firmware from the update server (asks;\n"
        "                      also for a lens that asks for firmware when it connects)\n"
        "\n"
        "set SETTING VALUE:\n"
        "  CONTROL is button0 (the custom button; also \"button\") or switch1, switch2,\n"
        "  switch3 (the custom switch positions). info lists the controls the lens has.\n"
        "  CONTROL FUNCTION        function id (info lists those the lens offers) or its\n"
        "                          name: none, afmf_switch_long_press, afmf_switch_click,\n"
        "                          aflimit_long_press, aflimit_click, focus_hold,\n"
        "                          aflimit_while_press, aflimit_while_release, focus_preset,\n"
        "                          ab_focus, focus_hold2, ring_switch_long_press,\n"
        "                          ring_switch_click, inf_lock_long_press, inf_lock_click,\n"
        "                          mflimit_long_press, mflimit_click, focus_preset_time,\n"
        "                          ab_focus_time, ...\n"
        "  CONTROL.time SECONDS    preset drive time, e.g. 1.5 (functions 22 to 25)\n"
        "  CONTROL.delay SECONDS   delay before the drive, 0.0 to 9.9 (functions 22 to 25)\n"
        "  CONTROL.aflimit N-F     AF limit of the control: near and far position indices\n"
        "  aflimitROW N-F          AF limit row 0 to 5 (button0 uses 0, switch1-3 use 3-5)\n"
        "  direction VALUE         0 default, 1 reverse, 2 follow-camera\n"
        "  ring_response VALUE     0 non-linear, 1 linear\n"
        "  ring_angle STEP         rotation angle step; shown as (STEP + 1) x 90 degrees\n"
        "  pinto VALUE             AF fine adjustment, whole numbers\n"
        "  CONTROL.speed is shown by info but the lens has no write for it.\n"
        "  A value the lens cannot take is refused before anything is sent.\n"
        "\n"
        "Options:\n"
        "  --port PATH           use this serial port instead of searching for the adapter\n"
        "                        (also KELVARA_PORT)\n"
        "  --simulate[=PRESET]   run against the built-in virtual lens and update server\n"
        "                        (PRESET: a preset name, or a lens profile file NAME.json)\n"
        "  --server URL          base URL of the update server (also KELVARA_UPDATE_URL)\n"
        "  --yes, -y             answer yes to questions; without it a question is asked on\n"
        "                        the terminal, or answered no when there is none\n"
        "  --verbose             diagnostic lines of the lens link on standard error\n"
        "\n"
        "Exit status: 0 done, 1 failed, 2 command line or value refused (nothing sent),\n"
        "3 a question answered no. Messages use the language of the locale; KELVARA_LANG=en\n"
        "or ja chooses one.\n");
}

} // namespace kelvara
