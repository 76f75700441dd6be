#include "UpdateCommand.h"

#include "CliSession.h"
#include "CliText.h"
#include "Console.h"

#include "controller/AppViewModel.h"
#include "firmware/UpdateState.h"
#include "model/BasicInfoViewModel.h"
#include "platform/Texts.h"

#include <cstdio>
#include <unistd.h>

namespace kelvara {

namespace {
// Without progress for this long the transfer is taken as stuck.
constexpr int STALL_MS = 60000;
constexpr int CHECK_MS = 10000;
} // namespace

bool UpdateCommand::parse(const QStringList& arguments, QString* error) {
    if (!arguments.isEmpty()) {
        *error = QStringLiteral("update takes no arguments");
        return false;
    }
    return true;
}

void UpdateCommand::start(CliSession& session) {
    AppViewModel& app = session.controller();
    session.allowSafeMode();
    session.armWatchdog(STALL_MS);

    // A bar that rewrites itself on a terminal; one line per tenth otherwise.
    const bool terminal = isatty(fileno(stdout));
    auto lastTenth = std::make_shared<int>(-1);
    QObject::connect(&app, &AppViewModel::download_progressChanged, &session,
                     [&session, &app, terminal, lastTenth] {
                         session.armWatchdog(STALL_MS);
                         const int percent = int(app.download_progress() * 100);
                         const QString line =
                             CliText::text(CliText::UpdateProgress).arg(percent);
                         if (terminal) {
                             std::fprintf(stdout, "\r%s", qPrintable(line));
                             std::fflush(stdout);
                         } else if (percent / 10 != *lastTenth && percent > 0) {
                             *lastTenth = percent / 10;
                             Console::out(line);
                         }
                     });
    QObject::connect(&app, &AppViewModel::download_stateChanged, &session,
                     [&session, &app, terminal] {
                         if (app.download_state() != int(UpdateState::Complete))
                             return;
                         if (terminal)
                             std::fputc('\n', stdout);
                         Console::out(Texts::text(QStringLiteral("Firmware_UpdateEnd")));
                         Console::out(Texts::text(QStringLiteral("Firmware_LensRemoval")));
                         app.finishFirmwareUpdate();
                         session.finish(0);
                     });

    // A lens in safe mode announces the update with an OK message; the user agrees
    // up front (--yes or y on a terminal), since OK starts the transfer.
    QObject::connect(&app, &AppViewModel::is_safemodeChanged, &session, [&session, &app] {
        if (!app.is_safemode())
            return;
        if (!session.answerQuestion(Texts::text(QStringLiteral("Common_UpdateConfirm")))) {
            session.finish(3);
            return;
        }
        session.onNextMessage([&session](const QString& text, bool) {
            if (text != Texts::text(QStringLiteral("Common_UpdateConfirm")))
                session.finish(1);
        });
    });

    session.connectLens([&session, &app] {
        session.waitForFirmwareCheck(CHECK_MS, [&session, &app](bool ended) {
            if (!ended) {
                session.fail(CliText::text(CliText::CheckUnfinished));
                return;
            }
            if (!app.basic_info()->is_new()) {
                // "--": the server could not be asked or names no version.
                if (app.basic_info()->newVersion() == QLatin1String("--")) {
                    session.fail(app.footer_message().isEmpty()
                                     ? CliText::text(CliText::NoServerVersion)
                                     : app.footer_message());
                    return;
                }
                Console::out(CliText::text(CliText::UpToDate));
                session.finish(0);
                return;
            }
            session.onNextMessage([&session](const QString&, bool yes) {
                if (!yes)
                    session.finish(3);
            });
            app.startFirmwareUpdate();
        });
    });
}

} // namespace kelvara
