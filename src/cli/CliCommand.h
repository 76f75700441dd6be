#pragma once

#include <QCommandLineOption>
#include <QList>
#include <QString>

#include <functional>

class QCommandLineParser;

namespace kelvara {

class CliSession;

// One command of kelvara-lens-cli: its name, what `COMMAND --help` says, its own options
// and how it runs. Exit codes: 0 done, 1 failed, 2 a command line or value refused before
// anything was sent, 3 a question answered no.
struct CliCommand {
    // Starts on the main thread; the command ends by finishing the session.
    using Run = std::function<void(CliSession&)>;
    // Reads the command's own arguments; no Run, with a reason, for a malformed line.
    using Prepare = std::function<Run(const QCommandLineParser& parser, QString* error)>;

    QString name;
    QString synopsis; // what follows the name, e.g. "SETTING VALUE"
    QString summary;  // one line for the list of commands
    QString details;  // more for `COMMAND --help`; may be empty
    QList<QCommandLineOption> options;
    Prepare prepare;
    // The link's diagnostic lines go to standard output (probe) rather than nowhere.
    bool showsLink = false;
    // Runs on each of several docks in turn (--port given more than once, --all-ports).
    bool eachPort = false;

    // The arguments the synopsis names outside brackets; the command line must give as
    // many, which the caller checks before prepare.
    int argumentCount() const;
    // The most it may give: bracketed words other than options count as well, and a word
    // ending in "..." takes any number (then -1).
    int maxArgumentCount() const;
    // For a command that reads nothing more from its command line.
    static Prepare always(Run run);
    // For a command whose one argument is a file: refuses an empty one.
    static Prepare withFile(const QString& name, std::function<Run(const QString& path)> make);

    static const QList<CliCommand>& all();
    static const CliCommand* find(const QString& name);
    // The whole program's usage, and one command's.
    static QString usage();
    QString help() const;
};

// The commands, one per file.
CliCommand portsCommand();
CliCommand probeCommand();
CliCommand infoCommand();
CliCommand setCommand();
CliCommand exportCommand();
CliCommand importCommand();
CliCommand resetCommand();
CliCommand backupsCommand();
CliCommand checkUpdateCommand();
CliCommand updateCommand();
CliCommand doctorCommand();
CliCommand mirrorCommand();
CliCommand showCommand();
CliCommand diffCommand();

} // namespace kelvara
