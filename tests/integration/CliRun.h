#pragma once

#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>

#include <fcntl.h>
#include <functional>
#include <pty.h>
#include <unistd.h>

namespace kelvara::test {

struct CliRun {
    int exitCode = -1; // -1: it crashed or had to be killed
    QString out;
    QString err;
    qint64 ms = 0;
};

// Applied in order over the system's; a null value removes the variable.
using CliEnvironment = QList<std::pair<QString, QString>>;

struct CliOptions {
    CliEnvironment environment{};
    QStringList wrapper{}; // a command the program runs under, e.g. another user's setpriv
    std::function<void()> inChild{};       // after the fork, before the program starts
    std::function<void(qint64)> started{}; // gets the process id
    QByteArray typed{}; // when set, standard input is a terminal that has been typed this
};

// Runs kelvara-lens-cli to its end in an event loop, so that an update server of this
// process answers meanwhile.
inline CliRun cli(const QStringList& args, const CliOptions& options = {}) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const auto& [name, value] : options.environment) {
        if (value.isNull())
            env.remove(name);
        else
            env.insert(name, value);
    }
    process.setProcessEnvironment(env);
    int terminal[2] = {-1, -1};
    if (!options.typed.isEmpty()) {
        if (::openpty(&terminal[0], &terminal[1], nullptr, nullptr, nullptr) != 0 ||
            ::write(terminal[0], options.typed.constData(), size_t(options.typed.size())) < 0)
            return {};
        for (int fd : terminal)
            ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    process.setChildProcessModifier([&options, input = terminal[1]] {
        if (input >= 0)
            ::dup2(input, STDIN_FILENO);
        if (options.inChild)
            options.inChild();
    });
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    QStringList line = options.wrapper + QStringList{QStringLiteral(KELVARA_CLI_PATH)} + args;
    process.start(line.takeFirst(), line);
    if (options.typed.isEmpty())
        process.closeWriteChannel();
    if (options.started)
        options.started(process.processId());
    if (process.state() != QProcess::NotRunning)
        loop.exec();
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished();
    }
    for (int fd : terminal)
        if (fd >= 0)
            ::close(fd);
    const bool ran =
        process.exitStatus() == QProcess::NormalExit && process.error() != QProcess::FailedToStart;
    return {ran ? process.exitCode() : -1, QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError()), clock.elapsed()};
}

} // namespace kelvara::test
