#include "MainWindow.h"
#include "SingleInstance.h"

#include "LensProfile.h"
#include "Simulation.h"
#include "Startup.h"
#include "controller/AppViewModel.h"
#include "controller/OperationLog.h"
#include "link/LensClient.h"
#include "platform/LogFile.h"
#include "platform/SleepMonitor.h"
#include "platform/Texts.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QIcon>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QStandardPaths>
#include <QTextStream>

#include <chrono>
#include <memory>
#include <optional>
#include <thread>

using namespace kelvara;

namespace {

QString usage() {
    return QStringLiteral(
        "Usage: kelvara-lens-utility [--port PATH] [--server URL] [--simulate[=PRESET]]\n"
        "  --port PATH          serial port of the lens dock (default: found by USB id)\n"
        "  --server URL         base address of the update server\n"
        "  --simulate[=PRESET]  use the built-in virtual lens (default preset %1; presets:\n"
        "                       %2; or a lens profile file NAME.json)\n")
        .arg(sim::Simulation::defaultPreset(),
             sim::LensProfile::presetNames().join(QStringLiteral(", ")));
}

// Returns false with a reason for an unknown or incomplete option.
bool parse(const QStringList& args, Startup::Options* options, bool* help, QString* error) {
    for (int i = 1; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        auto value = [&](const QString& name, QString* target) {
            const QString prefix = name + QLatin1Char('=');
            if (arg.startsWith(prefix)) {
                *target = arg.mid(prefix.size());
                return true;
            }
            if (arg != name)
                return false;
            if (i + 1 >= args.size()) {
                *error = QStringLiteral("%1 needs a value").arg(name);
                return true;
            }
            *target = args.at(++i);
            return true;
        };
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h"))
            *help = true;
        else if (arg == QLatin1String("--simulate"))
            options->simulate = QString();
        else if (arg.startsWith(QLatin1String("--simulate=")))
            options->simulate = arg.mid(int(sizeof("--simulate=")) - 1);
        else if (value(QStringLiteral("--port"), &options->port) ||
                 value(QStringLiteral("--server"), &options->server)) {
            if (!error->isEmpty())
                return false;
        } else if (!arg.startsWith(QLatin1String("-psn_"))) {
            *error = QStringLiteral("unknown option %1").arg(arg);
            return false;
        }
    }
    return true;
}

int failWith(const QString& reason, int code = 1) {
    QTextStream(stderr) << "kelvara-lens-utility: " << reason << Qt::endl;
    return code;
}

// For bench/bench_window.sh only: KELVARA_BENCH_EXIT=first-frame prints the wall-clock
// time of the first frame on stderr, =connected connects to the lens; then the program
// ends, so that the script can read the start-up time and the peak memory.
void exitForBenchmark(QQuickWindow& window, AppViewModel& controller) {
    const QByteArray mode = qgetenv("KELVARA_BENCH_EXIT");
    if (mode == "first-frame") {
        QObject::connect(&window, &QQuickWindow::frameSwapped, &window, [] {
            const auto now = std::chrono::system_clock::now().time_since_epoch();
            QTextStream(stderr)
                << "first-frame-ns "
                << qint64(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count())
                << Qt::endl;
            QCoreApplication::exit(0);
        }, Qt::SingleShotConnection);
    } else if (mode == "connected") {
        QObject::connect(&controller, &AppViewModel::connect_stateChanged, &controller,
                         [&controller] {
                             if (controller.connectState() == CONNECT_COMPLETE)
                                 QCoreApplication::exit(0);
                         });
        controller.connectLens(true);
    }
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    Startup startup;
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Kelvara Lens Utility"));
    // Wayland compositors find the desktop entry, and with it the icon, by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.kelvara.LensUtility"));
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/kelvara/com.kelvara.LensUtility.svg")));

    Startup::Options options;
    bool help = false;
    QString error;
    if (!parse(QCoreApplication::arguments(), &options, &help, &error)) {
        QTextStream(stderr) << usage();
        return failWith(error, 2);
    }
    if (help) {
        QTextStream(stdout) << usage();
        return 0;
    }
    SingleInstance instance(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation));
    switch (instance.claim()) {
    case SingleInstance::Role::First:
        break;
    case SingleInstance::Role::Raised:
        QTextStream(stderr) << Texts::text(QStringLiteral("App_AlreadyRunning")) << Qt::endl;
        return 0;
    case SingleInstance::Role::NoAnswer:
        QTextStream(stderr) << Texts::text(QStringLiteral("App_NotAnswering"),
                                           {QString::number(instance.holder())})
                            << Qt::endl;
        return 1;
    }

    // Reading the system's fonts is a good part of the start-up; it runs on another core
    // while the pages load (the font database is thread-safe), and the first text waits
    // only for what is left of it. Joined before the application object goes.
    std::jthread fonts([] { QFontDatabase::families(); });
    if (!startup.start(options, &error))
        return failWith(error);

    // Fusion draws the controls in the system's light or dark palette.
    QQuickStyle::setStyle(QStringLiteral("Fusion"));
    AppViewModel controller;
    // A desktop launch discards standard output: the lines also go to a log to send.
    auto logFile = std::make_shared<LogFile>();
    std::optional<OperationLog> log;
    if (logFile->open(LogFile::directory()))
        log.emplace(controller, startup.environment(), logFile);
    MainWindow window(&controller);
    if (!window.load(&error))
        return failWith(error);
    // Without a system bus the computer's sleep goes unnoticed; nothing else changes.
    SleepMonitor sleepMonitor;
    controller.followSleep(sleepMonitor);
    sleepMonitor.listen();
    QObject::connect(&instance, &SingleInstance::activationRequested, &window, [&window] {
        QQuickWindow* shown = window.window();
        shown->setWindowStates(shown->windowStates() & ~Qt::WindowMinimized);
        shown->show();
        shown->raise();
        shown->requestActivate();
    });
    exitForBenchmark(*window.window(), controller);
    const int code = app.exec();
    LensClient::transport().closePort();
    return code;
}
