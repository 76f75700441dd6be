#include "CliCommand.h"
#include "CliSession.h"
#include "CliText.h"
#include "Console.h"

#include "controller/AppViewModel.h"
#include "controller/UtilityVersion.h"
#include "firmware/UtilityInfoFileModel.h"
#include "link/LensClient.h"
#include "model/BasicInfoViewModel.h"
#include "platform/Texts.h"

#include <QTimer>

#include <memory>

namespace kelvara {

namespace {

constexpr int CHECK_MS = 15000;
constexpr int CONNECT_MS = 10000;

QString tr(const char* key) {
    return Texts::text(QLatin1String(key));
}

// Prints this program's version against the server's; false when it could not be told.
bool reportUtility(const AppViewModel& c, const Outcome& check) {
    if (!check.done()) {
        CliSession::report(check);
        return false;
    }
    const QString newest = UtilityVersion::parse(c.utility_file().version).display;
    Console::out(CliText::text(CliText::UtilityVersion).arg(c.version(), newest));
    // A catalogue without a usable version offers nothing, but proves nothing either.
    if (newest == QLatin1String("--")) {
        Console::err(CliText::text(CliText::NoServerVersion));
        return false;
    }
    Console::out(c.is_new() ? tr("VersionInfo_UpdateExist") : CliText::text(CliText::UpToDate));
    return true;
}

// Prints the connected lens's firmware against the server's; false when it could not be told.
bool reportLens(const AppViewModel& c, const std::optional<Outcome>& check) {
    const BasicInfoViewModel& info = *c.basic_info();
    Console::out(info.modelName() + QStringLiteral("  ") + tr("Firmware_Current") +
                 QStringLiteral(": ") + info.displayCurrentVersion());
    if (!check) {
        Console::err(CliText::text(CliText::CheckUnfinished));
        return false;
    }
    if (!check->done()) {
        CliSession::report(*check);
        return false;
    }
    Console::out(info.modelName() + QStringLiteral("  ") + tr("Firmware_Latest") +
                 QStringLiteral(": ") + info.displayNewVersion());
    if (info.displayNewVersion() == QLatin1String("--")) {
        Console::err(CliText::text(CliText::NoServerVersion));
        return false;
    }
    Console::out(info.is_new() ? tr("Firmware_UpdateExists") : CliText::text(CliText::UpToDate));
    return true;
}

void checkLens(CliSession& session, bool utilityOk) {
    if (LensClient::portList().findAdapterPorts().isEmpty()) {
        Console::out(CliText::text(CliText::NoLensChecked));
        session.finish(utilityOk ? 0 : 1);
        return;
    }
    session.armWatchdog(CONNECT_MS + CHECK_MS);
    session.connectLens([&session, utilityOk] {
        session.whenFirmwareChecked(CHECK_MS, [&session, utilityOk](std::optional<Outcome> check) {
            const bool lensOk = reportLens(session.controller(), check);
            session.finish(utilityOk && lensOk ? 0 : 1);
        });
    });
}

} // namespace

CliCommand checkUpdateCommand() {
    CliCommand command{QStringLiteral("check-update"), QString(),
            QStringLiteral("this program against the update server; with a lens adapter\n"
                           "present, also the lens's firmware"),
            QString(), {},
            CliCommand::always([](CliSession& session) {
                auto* timeout = new QTimer(&session);
                timeout->setSingleShot(true);
                QObject::connect(timeout, &QTimer::timeout, &session, [&session] {
                    session.fail(tr("Footer_UtilityVersionCheckError"));
                });
                timeout->start(CHECK_MS);
                // The controller asks the server as it starts.
                const AppViewModel& c = session.controller();
                session.expect(Operation::UtilityCheck, [&session, &c, timeout](const Outcome& check) {
                    timeout->stop();
                    checkLens(session, reportUtility(c, check));
                });
            })};
    command.eachPort = true;
    return command;
}

} // namespace kelvara
