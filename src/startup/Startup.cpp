#include "Startup.h"

#include "Simulation.h"
#include "link/LensClient.h"
#include "link/UsbSerialInterface.h"
#include "link/UsbSerialPortList.h"
#include "platform/Environment.h"
#include "platform/Texts.h"

#include <QCoreApplication>

namespace kelvara {

Startup::Startup() : simulation_(std::make_unique<sim::Simulation>()) {
    // The names of the utility's per-user data: the window and the command line share them.
    QCoreApplication::setOrganizationName(QStringLiteral("Kelvara"));
    QCoreApplication::setApplicationName(QStringLiteral("LensUtility"));
    Texts::install();
}

Startup::~Startup() = default;

bool Startup::start(const Options& options, QString* error) {
    environment_ = Environment::create();
    if (!options.server.isEmpty())
        environment_->setUpdateBaseUrl(options.server);
    // The virtual lens and its own update server, unless --server names another.
    QString port = options.port;
    if (options.simulate) {
        if (!simulation_->start(*options.simulate, error))
            return false;
        port = simulation_->portPath();
        if (options.server.isEmpty())
            environment_->setUpdateBaseUrl(simulation_->serverUrl());
    }
    usePort(port);
    return true;
}

void Startup::usePort(const QString& port) {
    LensClient::install(*environment_, std::make_shared<UsbSerialInterface>(),
                        std::make_shared<UsbSerialPortList>(
                            UsbSerialPortList::configuredVendorId(),
                            port.isEmpty() ? UsbSerialPortList::configuredPort() : port));
}

} // namespace kelvara
