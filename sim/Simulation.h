#pragma once

#include <QString>

#include <memory>

namespace kelvara::sim {

class UpdateServer;
class VirtualLens;

// The virtual lens on a pseudo-terminal of this process together with its own update
// server: what a front-end started with --simulate talks to instead of a real dock.
class Simulation {
  public:
    Simulation();
    ~Simulation();
    Simulation(const Simulation&) = delete;
    Simulation& operator=(const Simulation&) = delete;

    // The lens preset to simulate when none is named: the zoom lens shows every control
    // the program can customise.
    static QString defaultPreset();

    // Starts the lens of the named preset (empty: the default), or of a lens profile file
    // when the name ends in ".json", and its update server.
    // On failure returns false with a reason for the user in *error.
    bool start(const QString& preset, QString* error);

    // The serial port to open, and the update server's base address (no trailing slash).
    QString portPath() const;
    QString serverUrl() const;

    VirtualLens* lens() const { return lens_.get(); }

  private:
    std::unique_ptr<VirtualLens> lens_;
    std::unique_ptr<UpdateServer> server_;
};

} // namespace kelvara::sim
