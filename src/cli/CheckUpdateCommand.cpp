#include "CheckUpdateCommand.h"

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

namespace kelvara {

namespace {

constexpr int CHECK_MS = 15000;
constexpr int CONNECT_MS = 10000;

QString tr(const char* key) {
    return Texts::text(QLatin1String(key));
}

// Stands in the footer until the utility check replaces it: the check always writes the
// footer (empty or its error), also when nothing else changes.
const QString PENDING = QStringLiteral("\x01");

} // namespace

bool CheckUpdateCommand::parse(const QStringList& arguments, QString* error) {
    if (!arguments.isEmpty()) {
        *error = QStringLiteral("check-update takes no arguments");
        return false;
    }
    return true;
}

void CheckUpdateCommand::start(CliSession& session) {
    AppViewModel& c = session.controller();
    // The check's outcome is queued to this thread, so it cannot have arrived yet.
    c.setFooter_message(PENDING);
    auto* timeout = new QTimer(&session);
    timeout->setSingleShot(true);
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection = QObject::connect(&c, &AppViewModel::footer_messageChanged, &session,
                                   [this, &session, &c, connection, timeout] {
                                       if (c.footer_message() == PENDING)
                                           return;
                                       QObject::disconnect(*connection);
                                       timeout->stop();
                                       utilityChecked(session);
                                   });
    QObject::connect(timeout, &QTimer::timeout, &session, [&session] {
        session.fail(tr("Footer_UtilityVersionCheckError"));
    });
    timeout->start(CHECK_MS);
}

void CheckUpdateCommand::utilityChecked(CliSession& session) {
    const AppViewModel& c = session.controller();
    if (!c.footer_message().isEmpty()) {
        Console::err(Console::oneLine(c.footer_message()));
        failed_ = true;
    } else {
        const QString newest = UtilityVersion::parse(c.utility_file().version).display;
        Console::out(CliText::text(CliText::UtilityVersion).arg(c.version(), newest));
        // A catalogue without a usable version offers nothing, but proves nothing either.
        if (newest == QLatin1String("--")) {
            Console::err(CliText::text(CliText::NoServerVersion));
            failed_ = true;
        } else {
            Console::out(c.is_new() ? tr("VersionInfo_UpdateExist") : CliText::text(CliText::UpToDate));
        }
    }
    checkLens(session);
}

void CheckUpdateCommand::checkLens(CliSession& session) {
    if (LensClient::portList().findAdapterPorts().isEmpty()) {
        Console::out(CliText::text(CliText::NoLensChecked));
        session.finish(failed_ ? 1 : 0);
        return;
    }
    session.armWatchdog(CONNECT_MS + CHECK_MS);
    session.connectLens([this, &session] {
        session.waitForFirmwareCheck(CHECK_MS, [this, &session](bool ended) {
            const AppViewModel& c = session.controller();
            const BasicInfoViewModel& info = *c.basic_info();
            Console::out(info.modelName() + QStringLiteral("  ") + tr("Firmware_Current") +
                         QStringLiteral(": ") + info.displayCurrentVersion());
            if (!ended) {
                Console::err(CliText::text(CliText::CheckUnfinished));
                failed_ = true;
            } else if (!c.footer_message().isEmpty()) {
                Console::err(Console::oneLine(c.footer_message()));
                failed_ = true;
            } else {
                Console::out(info.modelName() + QStringLiteral("  ") + tr("Firmware_Latest") +
                             QStringLiteral(": ") + info.displayNewVersion());
                if (info.displayNewVersion() == QLatin1String("--")) {
                    Console::err(CliText::text(CliText::NoServerVersion));
                    failed_ = true;
                } else {
                    Console::out(info.is_new() ? tr("Firmware_UpdateExists")
                                               : CliText::text(CliText::UpToDate));
                }
            }
            session.finish(failed_ ? 1 : 0);
        });
    });
}

} // namespace kelvara
