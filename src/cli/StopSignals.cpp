#include "StopSignals.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace kelvara {

namespace {

constexpr std::array<int, 3> STOPS{SIGINT, SIGTERM, SIGHUP};

// Read end, write end; the handler may only use async-signal-safe calls.
int wakePipe[2] = {-1, -1};

void onStopSignal(int signal) {
    const int saved = errno;
    const unsigned char number = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t n = ::write(wakePipe[1], &number, 1);
    errno = saved;
}

QString errnoText(const char* what) {
    return QStringLiteral("%1: %2").arg(QLatin1String(what),
                                        QString::fromLocal8Bit(std::strerror(errno)));
}

} // namespace

StopSignals::StopSignals(QObject* parent) : QObject(parent) {}

StopSignals::~StopSignals() {
    if (!notifier_)
        return;
    for (int signal : STOPS)
        std::signal(signal, SIG_DFL);
    delete notifier_;
    ::close(wakePipe[0]);
    ::close(wakePipe[1]);
    wakePipe[0] = wakePipe[1] = -1;
}

bool StopSignals::install(QString* error) {
    if (::pipe2(wakePipe, O_NONBLOCK | O_CLOEXEC) != 0) {
        *error = errnoText("pipe");
        return false;
    }
    notifier_ = new QSocketNotifier(wakePipe[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &StopSignals::onReadable);

    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a question waiting for an answer on the terminal gives up.
    for (int signal : STOPS) {
        if (::sigaction(signal, &action, nullptr) != 0) {
            *error = errnoText("sigaction");
            return false;
        }
    }
    std::signal(SIGPIPE, SIG_IGN);
    return true;
}

void StopSignals::onReadable() {
    unsigned char number = 0;
    while (::read(wakePipe[0], &number, 1) == 1)
        emit received(number);
}

} // namespace kelvara
