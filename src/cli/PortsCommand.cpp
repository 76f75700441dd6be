#include "CliCommand.h"
#include "CliSession.h"
#include "CliText.h"
#include "Console.h"

#include "link/LensClient.h"

namespace kelvara {

CliCommand portsCommand() {
    return {QStringLiteral("ports"), QString(), QStringLiteral("list the lens adapter ports found"),
            QString(), {},
            CliCommand::always([](CliSession& session) {
                const QStringList ports = LensClient::portList().findAdapterPorts();
                if (ports.isEmpty()) {
                    session.fail(CliText::text(CliText::NoAdapter));
                    return;
                }
                for (const QString& port : ports)
                    Console::out(port);
                session.finish(0);
            })};
}

} // namespace kelvara
