#include "CliCommand.h"
#include "CliOptions.h"
#include "CliSession.h"
#include "Probe.h"

#include "firmware/ServerModel.h"
#include "link/LensClient.h"
#include "platform/Diagnostics.h"
#include "platform/Texts.h"
#include "Simulation.h"

#include <QCoreApplication>
#include <QTextStream>
#include <QTimer>

#include <memory>

using namespace kelvara;

namespace {

int failWith(const QString& reason, int code = 1) {
    QTextStream(stderr) << "kelvara-lens-cli: " << reason << Qt::endl;
    return code;
}

int listPorts() {
    const QStringList ports = LensClient::portList().findAdapterPorts();
    if (ports.isEmpty())
        return failWith(QStringLiteral("no lens adapter found; plug in the dock or name its port "
                                       "with --port"));
    QTextStream out(stdout);
    for (const QString& port : ports)
        out << port << Qt::endl;
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    // The names of the utility's per-user data: backups are shared with the window.
    QCoreApplication::setOrganizationName(QStringLiteral("Kelvara"));
    QCoreApplication::setApplicationName(QStringLiteral("LensUtility"));
    Texts::install();

    QString error;
    const auto options = CliOptions::parse(QCoreApplication::arguments(), &error);
    if (!options) {
        QTextStream(stderr) << CliOptions::usage();
        return failWith(error, 2);
    }
    if (options->help) {
        QTextStream(stdout) << CliOptions::usage();
        return 0;
    }

    const bool lowLevel = options->command == QLatin1String("ports") ||
                          options->command == QLatin1String("probe");
    std::unique_ptr<CliCommand> command;
    if (!lowLevel) {
        command = CliCommand::create(options->command);
        if (!command) {
            QTextStream(stderr) << CliOptions::usage();
            return failWith(QStringLiteral("unknown command %1").arg(options->command), 2);
        }
        if (!command->parse(options->arguments, &error))
            return failWith(error, 2);
    }

    if (!options->server.isEmpty())
        ServerModel::setBaseUrl(options->server);

    // The virtual lens and its own update server, unless --server names another.
    sim::Simulation simulation;
    QString port = options->port;
    if (options->simulate) {
        if (!simulation.start(*options->simulate, &error))
            return failWith(error);
        port = simulation.portPath();
        if (options->server.isEmpty())
            ServerModel::setBaseUrl(simulation.serverUrl());
    }
    LensClient::install(std::make_shared<UsbSerialInterface>(),
                        std::make_shared<UsbSerialPortList>(UsbSerialPortList::configuredVendorId(),
                                                            port.isEmpty()
                                                                ? UsbSerialPortList::configuredPort()
                                                                : port));

    if (options->command == QLatin1String("ports"))
        return listPorts();
    if (options->command == QLatin1String("probe")) {
        Probe probe;
        QObject::connect(&probe, &Probe::finished, &app, &QCoreApplication::exit);
        QMetaObject::invokeMethod(&probe, &Probe::start, Qt::QueuedConnection);
        return app.exec();
    }

    // Standard output carries only what the command reports.
    Diagnostics::setSink(options->verbose ? Diagnostics::Sink([](const QString& line) {
        QTextStream(stderr) << line << Qt::endl;
    })
                                          : Diagnostics::Sink([](const QString&) {}));
    const auto answer = options->yes ? CliSession::Answer::Yes : CliSession::Answer::AskTerminal;
    CliSession session(answer);
    QObject::connect(&session, &CliSession::finished, &app, &QCoreApplication::exit,
                     Qt::QueuedConnection);
    QTimer::singleShot(0, &session, [&] { command->start(session); });
    return app.exec();
}
