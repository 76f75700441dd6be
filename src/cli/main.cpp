#include "CliCommand.h"
#include "CliOptions.h"
#include "CliSession.h"
#include "Probe.h"

#include "Startup.h"
#include "link/LensClient.h"
#include "platform/Environment.h"

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
    Startup startup;

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

    if (!startup.start({options->port, options->server, options->simulate}, &error))
        return failWith(error);

    if (options->command == QLatin1String("ports"))
        return listPorts();
    if (options->command == QLatin1String("probe")) {
        Probe probe;
        QObject::connect(&probe, &Probe::finished, &app, &QCoreApplication::exit);
        QMetaObject::invokeMethod(&probe, &Probe::start, Qt::QueuedConnection);
        return app.exec();
    }

    // Standard output carries only what the command reports.
    startup.environment().setDiagnosticSink(options->verbose
                                                ? Diagnostics::Sink([](const QString& line) {
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
