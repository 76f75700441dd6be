#include "PtyLink.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace kelvara::sim {

namespace {
QString errnoText(const char* what) {
    return QStringLiteral("%1: %2").arg(QLatin1String(what),
                                        QString::fromLocal8Bit(std::strerror(errno)));
}
} // namespace

bool PtyLink::open(const QString& linkPath, QString* error) {
    const auto fail = [&](const QString& text) {
        if (error)
            *error = text;
        close();
        return false;
    };
    if (isOpen())
        return true;
    if (linkPath.isEmpty())
        return fail(QStringLiteral("no link path given"));

    const QByteArray link = QFile::encodeName(linkPath);
    struct stat st {};
    if (::lstat(link.constData(), &st) == 0 && !S_ISLNK(st.st_mode))
        return fail(QStringLiteral("%1 exists and is not a symlink").arg(linkPath));
    if (!QDir().mkpath(QFileInfo(linkPath).absolutePath()))
        return fail(QStringLiteral("cannot create the directory of %1").arg(linkPath));

    char name[256] = {};
    if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0)
        return fail(errnoText("openpty"));
    device_ = QString::fromLocal8Bit(name);

    struct termios t {};
    if (::tcgetattr(slave_, &t) == 0) {
        ::cfmakeraw(&t);
        ::cfsetispeed(&t, B19200);
        ::cfsetospeed(&t, B19200);
        t.c_cflag |= CLOCAL | CREAD;
        ::tcsetattr(slave_, TCSANOW, &t);
    }
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    ::fcntl(master_, F_SETFD, FD_CLOEXEC);
    ::fcntl(slave_, F_SETFD, FD_CLOEXEC);

    // Swap the link in atomically so a host polling the path never sees a gap
    // while a stale link from an earlier run is replaced.
    const QByteArray temp = link + ".new";
    ::unlink(temp.constData());
    if (::symlink(name, temp.constData()) != 0)
        return fail(errnoText("symlink"));
    if (::rename(temp.constData(), link.constData()) != 0) {
        ::unlink(temp.constData());
        return fail(errnoText("rename"));
    }
    link_ = linkPath;
    return true;
}

void PtyLink::close() {
    if (!link_.isEmpty()) {
        const QByteArray link = QFile::encodeName(link_);
        char target[256] = {};
        const ssize_t n = ::readlink(link.constData(), target, sizeof target - 1);
        if (n > 0 && QString::fromLocal8Bit(target, int(n)) == device_)
            ::unlink(link.constData());
        link_.clear();
    }
    if (master_ >= 0)
        ::close(master_);
    if (slave_ >= 0)
        ::close(slave_);
    master_ = -1;
    slave_ = -1;
    device_.clear();
}

} // namespace kelvara::sim
