// kelvara-lens-sim: a lens on its dock, as a serial port, for running the
// utility without hardware.
#include "ControlServer.h"
#include "LensCommand.h"
#include "LensProfile.h"
#include "UpdateServer.h"
#include "VirtualLens.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

using namespace kelvara::sim;

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &byte, 1);
}

void printLine(const QString& text) {
    std::fputs(qPrintable(text + u'\n'), stdout);
    std::fflush(stdout);
}

void printError(const QString& text) {
    std::fputs(qPrintable(QStringLiteral("kelvara-lens-sim: ") + text + u'\n'), stderr);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kelvara-lens-sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Virtual Kelvara lens on its USB dock: serves the lens protocol on a "
                       "pseudo-terminal published at a symlink, until SIGINT or SIGTERM."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    const QCommandLineOption link(
        QStringLiteral("link"),
        QStringLiteral("Publish the port as a symlink at PATH (default: a new temporary path)."),
        QStringLiteral("PATH"));
    const QCommandLineOption preset(
        QStringLiteral("preset"),
        QStringLiteral("Use a built-in lens (default zoom-e; see --list-presets)."),
        QStringLiteral("NAME"), QStringLiteral("zoom-e"));
    const QCommandLineOption profile(QStringLiteral("profile"),
                                     QStringLiteral("Use the lens described by a JSON FILE."),
                                     QStringLiteral("FILE"));
    const QCommandLineOption control(
        QStringLiteral("control"),
        QStringLiteral("Also take control commands on a local socket at SOCKET."),
        QStringLiteral("SOCKET"));
    const QCommandLineOption noStdin(QStringLiteral("no-stdin"),
                                     QStringLiteral("Do not read control commands from stdin."));
    const QCommandLineOption list(QStringLiteral("list-presets"),
                                  QStringLiteral("List the built-in lenses and exit."));
    const QCommandLineOption httpPort(
        QStringLiteral("http-port"),
        QStringLiteral("Also serve the update catalogues on 127.0.0.1:PORT (0: any free port)."),
        QStringLiteral("PORT"));
    const QCommandLineOption tlsCert(
        QStringLiteral("tls-cert"),
        QStringLiteral("Serve the update catalogues over HTTPS with this PEM certificate chain "
                       "(with --tls-key)."),
        QStringLiteral("FILE"));
    const QCommandLineOption tlsKey(QStringLiteral("tls-key"),
                                    QStringLiteral("The RSA private key (PEM) of --tls-cert."),
                                    QStringLiteral("FILE"));
    const QCommandLineOption exportMirror(
        QStringLiteral("export-mirror"),
        QStringLiteral("Write the update catalogues and firmware packages of every built-in "
                       "lens (and --profile) under DIR, for use as a file:// update URL, and "
                       "exit."),
        QStringLiteral("DIR"));
    parser.addOptions({help, link, preset, profile, control, noStdin, list, httpPort, tlsCert,
                       tlsKey, exportMirror});

    if (!parser.parse(QCoreApplication::arguments())) {
        printError(parser.errorText());
        return 2;
    }
    if (parser.isSet(help)) {
        printLine(parser.helpText() + u'\n' + LensCommand::help() + u'\n' + UpdateServer::help());
        return 0;
    }
    if (parser.isSet(list)) {
        for (const QString& name : LensProfile::presetNames()) {
            const std::optional<LensProfile> p = LensProfile::preset(name);
            printLine(QStringLiteral("%1\t%2 (%3), attach %4")
                          .arg(name, p->productName, p->modelName)
                          .arg(p->attachCode));
        }
        return 0;
    }

    std::optional<LensProfile> lensProfile;
    if (parser.isSet(profile)) {
        QString error;
        lensProfile = LensProfile::fromFile(parser.value(profile), &error);
        if (!lensProfile) {
            printError(parser.value(profile) + QStringLiteral(": ") + error);
            return 2;
        }
    } else {
        lensProfile = LensProfile::preset(parser.value(preset));
        if (!lensProfile) {
            printError(
                QStringLiteral("no preset \"%1\"; try --list-presets").arg(parser.value(preset)));
            return 2;
        }
    }

    if (parser.isSet(exportMirror)) {
        UpdateServer mirror;
        for (const QString& name : LensProfile::presetNames())
            mirror.addLens(*LensProfile::preset(name));
        mirror.addLens(*lensProfile);
        QString error;
        if (!mirror.exportMirror(parser.value(exportMirror), &error)) {
            printError(error);
            return 1;
        }
        printLine(QStringLiteral("mirror written: ") + parser.value(exportMirror));
        return 0;
    }

    VirtualLens lens(*lensProfile);
    QString error;
    if (!lens.start(parser.value(link), &error)) {
        printError(error);
        return 1;
    }

    UpdateServer updates;
    if (parser.isSet(httpPort)) {
        bool ok = false;
        const uint port = parser.value(httpPort).toUInt(&ok);
        if (!ok || port > 65535) {
            printError(QStringLiteral("--http-port needs a port number 0..65535"));
            return 2;
        }
        // Catalogues for every built-in lens as well, so that any of them can be tried.
        for (const QString& name : LensProfile::presetNames())
            updates.addLens(*LensProfile::preset(name));
        updates.addLens(*lensProfile);
        if (parser.isSet(tlsCert) &&
            !updates.setTls(parser.value(tlsCert), parser.value(tlsKey), &error)) {
            printError(error);
            return 2;
        }
        if (!updates.start(quint16(port), &error)) {
            printError(error);
            return 1;
        }
    }

    ControlServer server(lens);
    server.setUpdateServer(parser.isSet(httpPort) ? &updates : nullptr);
    if (parser.isSet(control) && !server.listen(parser.value(control), &error)) {
        printError(error);
        return 1;
    }

    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0) {
        printError(QStringLiteral("cannot set up signal handling"));
        return 1;
    }
    QSocketNotifier signalNotifier(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&signalNotifier, &QSocketNotifier::activated, &app,
                     [] { QCoreApplication::quit(); });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);

    QByteArray pending;
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    input.setEnabled(!parser.isSet(noStdin));
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char buffer[1024];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0) {
            input.setEnabled(false); // end of input: keep serving
            return;
        }
        pending.append(buffer, n);
        qsizetype end = 0;
        while ((end = pending.indexOf('\n')) >= 0) {
            const QString line = QString::fromUtf8(pending.left(end)).trimmed();
            pending.remove(0, end + 1);
            if (line.isEmpty())
                continue;
            printLine(parser.isSet(httpPort) && UpdateServer::isCommand(line)
                          ? updates.execute(line)
                          : lens.execute(line));
        }
    });

    printLine(
        QStringLiteral("%1: %2 -> %3").arg(lensProfile->name, lens.linkPath(), lens.devicePath()));
    if (parser.isSet(httpPort))
        printLine(QStringLiteral("update server: ") + updates.baseUrl());
    const int status = app.exec();
    server.close();
    lens.stop();
    return status;
}
