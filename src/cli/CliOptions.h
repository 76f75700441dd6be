#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace kelvara {

// Global options and the command of kelvara-lens-cli.
struct CliOptions {
    QString port;                     // --port PATH: replaces adapter discovery
    std::optional<QString> simulate;  // --simulate[=PRESET]: empty string = default preset
    QString server;                   // --server URL: base URL of the update server
    QString command;
    QStringList arguments;
    bool help = false;
    bool yes = false;     // --yes / -y, anywhere: answer yes to every question
    bool verbose = false; // --verbose, anywhere: the diagnostic lines on standard error

    // Fills the options from argv; on a malformed line returns nullopt and sets error.
    static std::optional<CliOptions> parse(const QStringList& args, QString* error);
    static QString usage();
};

} // namespace kelvara
