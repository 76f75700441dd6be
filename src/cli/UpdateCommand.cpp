#include "BackupReport.h"
#include "CliCommand.h"
#include "CliSession.h"
#include "CliText.h"
#include "Console.h"

#include "controller/AppViewModel.h"
#include "model/BasicInfoViewModel.h"
#include "platform/Texts.h"
#include "platform/Timings.h"

#include <cstdio>
#include <memory>
#include <unistd.h>

namespace kelvara {

namespace {

// Without progress for this long the transfer is taken as stuck.
constexpr int STALL_MS = 60000;
constexpr int CHECK_MS = 10000;

// A bar that rewrites itself on a terminal; one line per tenth otherwise.
void showProgress(CliSession& session, bool terminal) {
    AppViewModel& app = session.controller();
    auto lastTenth = std::make_shared<int>(-1);
    QObject::connect(&app, &AppViewModel::download_progressChanged, &session,
                     [&session, &app, terminal, lastTenth] {
                         session.armWatchdog(STALL_MS);
                         const int percent = int(app.download_progress() * 100);
                         const QString line = CliText::text(CliText::UpdateProgress).arg(percent);
                         if (terminal) {
                             std::fprintf(stdout, "\r%s", qPrintable(line));
                             std::fflush(stdout);
                         } else if (percent / 10 != *lastTenth && percent > 0) {
                             *lastTenth = percent / 10;
                             Console::out(line);
                         }
                     });
}

// The end of a transfer, normal or asked for by a lens in safe mode: the lens restarts
// with its new firmware, and the command waits for it to say which version it now runs.
void transferEnded(CliSession& session, bool terminal, const Outcome& outcome) {
    if (!outcome.done()) {
        session.end(outcome);
        return;
    }
    if (terminal)
        std::fputc('\n', stdout);
    Console::out(Texts::text(QStringLiteral("Firmware_UpdateEnd")));
    BackupReport::printBackup(session);
    Console::out(CliText::text(CliText::WaitingForLens));
    // The connect attempts themselves end within the wait; this only guards against a
    // lens that answers the connect and then nothing else.
    session.armWatchdog(int(Timings::current().lensRestartWait * 1000) + CHECK_MS);
    session.expect(Operation::FirmwareReconnect, [&session](const Outcome& reconnected) {
        if (!reconnected.done()) {
            session.end(reconnected);
            return;
        }
        Console::out(Texts::text(QStringLiteral("Firmware_Current")) + QStringLiteral(": ") +
                     session.controller().installed_version());
        session.controller().finishFirmwareUpdate();
        session.finish(0);
    });
    session.controller().reconnectAfterUpdate();
}

void updateIfNewer(CliSession& session, bool terminal, const std::optional<Outcome>& check) {
    AppViewModel& app = session.controller();
    if (!check) {
        session.fail(CliText::text(CliText::CheckUnfinished));
        return;
    }
    if (!app.basic_info()->is_new()) {
        // "--": the server could not be asked or names no version.
        if (app.basic_info()->newVersion() == QLatin1String("--")) {
            session.fail(app.footer_message().isEmpty() ? CliText::text(CliText::NoServerVersion)
                                                        : app.footer_message());
            return;
        }
        Console::out(CliText::text(CliText::UpToDate));
        session.finish(0);
        return;
    }
    session.expect(Operation::FirmwareUpdate, [&session, terminal](const Outcome& outcome) {
        transferEnded(session, terminal, outcome);
    });
    app.startFirmwareUpdate();
}

} // namespace

CliCommand updateCommand() {
    CliCommand command{QStringLiteral("update"), QString(),
            QStringLiteral("install the newest lens firmware from the update server (asks;\n"
                           "also for a lens that asks for firmware when it connects)"),
            QString(), {},
            CliCommand::always([](CliSession& session) {
                const bool terminal = isatty(fileno(stdout));
                session.armWatchdog(STALL_MS);
                showProgress(session, terminal);
                session.connectLens(
                    [&session, terminal] {
                        session.whenFirmwareChecked(CHECK_MS, [&session, terminal](std::optional<Outcome> check) {
                            updateIfNewer(session, terminal, check);
                        });
                    },
                    [&session, terminal] {
                        // The lens announces the update with an OK message, and OK starts
                        // the transfer: the user agrees up front (--yes or y on a terminal).
                        if (!session.answerQuestion(Texts::text(QStringLiteral("Common_UpdateConfirm")))) {
                            session.finish(3);
                            return;
                        }
                        session.expect(Operation::SafeModeUpdate, [&session, terminal](const Outcome& outcome) {
                            transferEnded(session, terminal, outcome);
                        });
                    });
            })};
    command.eachPort = true;
    return command;
}

} // namespace kelvara
