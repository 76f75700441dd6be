#include "HostLine.h"

#include <QElapsedTimer>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

HostLine::HostLine(const QString& path) : path_(path) {
    reopen();
}

HostLine::~HostLine() {
    close();
}

bool HostLine::reopen() {
    close();
    fd_ = ::open(QFile::encodeName(path_).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0)
        return false;
    struct termios t {};
    ::tcgetattr(fd_, &t);
    ::cfmakeraw(&t);
    ::cfsetspeed(&t, B19200);
    ::tcsetattr(fd_, TCSANOW, &t);
    return true;
}

void HostLine::close() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    buffer_.clear();
}

bool HostLine::write(const QByteArray& bytes) {
    qsizetype done = 0;
    while (fd_ >= 0 && done < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0)
            done += n;
        else if (n < 0 && errno != EINTR && errno != EAGAIN)
            return false;
    }
    return done == bytes.size();
}

bool HostLine::waitReadable(int timeoutMs) {
    struct pollfd p {
        fd_, POLLIN, 0
    };
    if (::poll(&p, 1, qMax(0, timeoutMs)) <= 0)
        return false;
    char chunk[4096];
    const ssize_t n = ::read(fd_, chunk, sizeof chunk);
    if (n <= 0)
        return false;
    buffer_.append(chunk, n);
    ++pieces_;
    return true;
}

QByteArray HostLine::read(qsizetype n, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (fd_ >= 0 && buffer_.size() < n && clock.elapsed() < timeoutMs)
        if (!waitReadable(int(timeoutMs - clock.elapsed())) && clock.elapsed() < timeoutMs)
            ::usleep(1000);
    const QByteArray out = buffer_.left(n);
    buffer_.remove(0, out.size());
    return out;
}

QByteArray HostLine::readFrame(int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    pieces_ = buffer_.isEmpty() ? 0 : 1;
    for (;;) {
        const qsizetype start = buffer_.indexOf(char(0x0F));
        buffer_.remove(0, start < 0 ? buffer_.size() : start);
        if (buffer_.size() >= 7) {
            const int length = quint8(buffer_.at(4)) | (quint8(buffer_.at(5)) << 8);
            if (buffer_.size() >= length + 9) {
                const QByteArray frame = buffer_.left(length + 9);
                buffer_.remove(0, frame.size());
                return frame;
            }
        }
        if (fd_ < 0 || clock.elapsed() >= timeoutMs)
            return buffer_;
        if (!waitReadable(int(timeoutMs - clock.elapsed())))
            ::usleep(1000);
    }
}

bool HostLine::setBaud(unsigned speedConstant) {
    struct termios t {};
    if (fd_ < 0 || ::tcgetattr(fd_, &t) != 0)
        return false;
    ::cfsetspeed(&t, speed_t(speedConstant));
    return ::tcsetattr(fd_, TCSANOW, &t) == 0;
}

bool HostLine::hungUp(int timeoutMs) {
    struct pollfd p {
        fd_, POLLIN, 0
    };
    if (fd_ < 0 || ::poll(&p, 1, timeoutMs) <= 0)
        return false;
    if (p.revents & (POLLHUP | POLLERR))
        return true;
    char c;
    const ssize_t n = ::read(fd_, &c, 1);
    return n == 0 || (n < 0 && errno == EIO);
}
