#include "Simulation.h"

#include "LensProfile.h"
#include "UpdateServer.h"
#include "VirtualLens.h"

#include <QStringList>

namespace kelvara::sim {

Simulation::Simulation() = default;
Simulation::~Simulation() = default;

QString Simulation::defaultPreset() { return QStringLiteral("zoom-e"); }

bool Simulation::start(const QString& preset, QString* error) {
    const QString name = preset.isEmpty() ? defaultPreset() : preset;
    std::optional<LensProfile> profile;
    if (name.endsWith(QLatin1String(".json"))) {
        QString why;
        profile = LensProfile::fromFile(name, &why);
        if (!profile) {
            if (error)
                *error = QStringLiteral("cannot use the lens profile %1: %2").arg(name, why);
            return false;
        }
    } else {
        profile = LensProfile::preset(name);
        if (!profile) {
            if (error)
                *error = QStringLiteral("unknown virtual lens \"%1\"; choose one of: %2")
                             .arg(name, LensProfile::presetNames().join(QStringLiteral(", ")));
            return false;
        }
    }
    auto lens = std::make_unique<VirtualLens>(*profile);
    if (!lens->start({}, error))
        return false;
    auto server = std::make_unique<UpdateServer>();
    server->addLens(lens->profile());
    if (!server->start(0, error))
        return false;
    lens_ = std::move(lens);
    server_ = std::move(server);
    return true;
}

QString Simulation::portPath() const { return lens_ ? lens_->linkPath() : QString(); }

QString Simulation::serverUrl() const { return server_ ? server_->baseUrl() : QString(); }

} // namespace kelvara::sim
