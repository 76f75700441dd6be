#pragma once

#include <QString>

#include <memory>
#include <optional>

namespace kelvara {

class Environment;

namespace sim {
class Simulation;
}

// What the window and the command line do alike before their own work: name the
// per-user data, load the texts, and build the one environment from the options both
// take (--port, --server, --simulate).
class Startup {
  public:
    struct Options {
        QString port;                    // empty: found by USB id, or KELVARA_PORT
        QString server;                  // empty: the configured update server
        std::optional<QString> simulate; // a preset or profile file; empty: the default
    };

    // Needs the application object; call it before anything looks texts up.
    Startup();
    ~Startup();
    Startup(const Startup&) = delete;
    Startup& operator=(const Startup&) = delete;

    // Starts the virtual lens when asked and builds the environment. On failure returns
    // false with a reason for the user in *error.
    bool start(const Options& options, QString* error);
    // Fresh link objects for this one port, for a command that works on several docks in
    // turn; empty: found by USB id, or KELVARA_PORT.
    void usePort(const QString& port);

    Environment& environment() const { return *environment_; }

  private:
    // Outlives the environment, so that its port closes before the virtual lens goes.
    std::unique_ptr<sim::Simulation> simulation_;
    std::shared_ptr<Environment> environment_;
};

} // namespace kelvara
