#include "PortDiagnosis.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kelvara {

namespace {

QString userName(uid_t uid) {
    if (const passwd* pw = ::getpwuid(uid))
        return QString::fromLocal8Bit(pw->pw_name);
    return QString::number(uid);
}

QString groupName(gid_t gid) {
    if (const group* gr = ::getgrgid(gid))
        return QString::fromLocal8Bit(gr->gr_name);
    return QString::number(gid);
}

QString firstLine(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLocal8Bit(f.readLine()).trimmed();
}

std::optional<std::uint16_t> hexId(const QString& file) {
    bool ok = false;
    const uint value = firstLine(file).toUInt(&ok, 16);
    if (!ok || value > 0xFFFF)
        return std::nullopt;
    return std::uint16_t(value);
}

// Every other process with a file descriptor on the character device rdev.
void findHolders(dev_t rdev, PortDiagnosis& d) {
    const qint64 self = ::getpid();
    const QStringList pids =
        QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& pidText : pids) {
        bool numeric = false;
        const qint64 pid = pidText.toLongLong(&numeric);
        if (!numeric || pid == self)
            continue;
        const QString fdDir = QStringLiteral("/proc/%1/fd").arg(pid);
        const QByteArray fdPath = QFile::encodeName(fdDir);
        if (::access(fdPath.constData(), R_OK | X_OK) != 0) {
            d.someProcessesHidden = d.someProcessesHidden || errno == EACCES;
            continue;
        }
        const QStringList fds = QDir(fdDir).entryList(QDir::Files | QDir::System);
        for (const QString& fd : fds) {
            struct stat target {};
            if (::stat(QFile::encodeName(fdDir + QLatin1Char('/') + fd).constData(), &target) ==
                    0 &&
                S_ISCHR(target.st_mode) && target.st_rdev == rdev) {
                d.heldBy.append({pid, firstLine(QStringLiteral("/proc/%1/comm").arg(pid))});
                break;
            }
        }
    }
}

// The nearest USB device above the tty in sysfs, and the driver's latency timer.
void readUsb(const QString& device, PortDiagnosis& d) {
    const QString name = QFileInfo(device).fileName();
    const QString deviceDir = QStringLiteral("/sys/class/tty/%1/device").arg(name);
    if (!QFileInfo::exists(deviceDir))
        return;
    bool ok = false;
    const int latency = firstLine(deviceDir + QStringLiteral("/latency_timer")).toInt(&ok);
    if (ok)
        d.latencyTimer = latency;
    QDir dir(QFileInfo(deviceDir).canonicalFilePath());
    for (int depth = 0; depth < 4 && !dir.isRoot(); ++depth, dir.cdUp()) {
        if (dir.exists(QStringLiteral("idVendor"))) {
            d.vendorId = hexId(dir.filePath(QStringLiteral("idVendor")));
            d.productId = hexId(dir.filePath(QStringLiteral("idProduct")));
            return;
        }
    }
}

QString hex(std::optional<std::uint16_t> id) {
    return QStringLiteral("%1").arg(id.value_or(0), 4, 16, QLatin1Char('0'));
}

} // namespace

QString PortDiagnosis::installedUdevRule() {
    for (const char* dir : {"/etc/udev/rules.d", "/lib/udev/rules.d", "/usr/lib/udev/rules.d",
                            "/usr/local/lib/udev/rules.d"}) {
        const QString file = QString::fromLatin1(dir) + QLatin1Char('/') + QLatin1String(UDEV_RULE);
        if (QFileInfo::exists(file))
            return file;
    }
    return {};
}

PortDiagnosis PortDiagnosis::examine(const QString& path, std::uint16_t adapterVendorId) {
    PortDiagnosis d;
    d.path = path;
    d.adapterVendorId = adapterVendorId;
    d.udevRule = installedUdevRule();
    const QByteArray native = QFile::encodeName(path);
    struct stat st {};
    if (::stat(native.constData(), &st) != 0)
        return d;
    d.exists = true;
    d.owner = userName(st.st_uid);
    d.group = groupName(st.st_gid);
    d.mode = QStringLiteral("0%1").arg(st.st_mode & 07777, 3, 8, QLatin1Char('0'));
    // A real open also meets TIOCEXCL, which access(2) does not.
    const int fd = ::open(native.constData(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd >= 0) {
        d.accessible = true;
        ::close(fd);
    } else {
        d.openError = errno;
    }
    if (S_ISCHR(st.st_mode)) {
        findHolders(st.st_rdev, d);
        readUsb(QFileInfo(path).canonicalFilePath(), d);
    }
    return d;
}

QList<PortProblem> PortDiagnosis::problems() const {
    QList<PortProblem> found;
    const auto add = [&](PortProblem::Kind kind) -> PortProblem& {
        found.append(PortProblem());
        found.last().kind = kind;
        found.last().path = path;
        return found.last();
    };
    if (!exists) {
        add(PortProblem::NoSuchDevice);
        return found;
    }
    if (openError == EACCES || openError == EPERM) {
        PortProblem& p = add(PortProblem::PermissionDenied);
        p.owner = owner;
        p.group = group;
        p.mode = mode;
        p.ruleInstalled = !udevRule.isEmpty();
    }
    if (openError == EBUSY || !heldBy.isEmpty()) {
        PortProblem& p = add(PortProblem::Busy);
        for (const Holder& h : heldBy) {
            p.holders.append(QStringLiteral("%1 (%2)").arg(h.name).arg(h.pid));
            p.modemManager = p.modemManager || h.name == QLatin1String("ModemManager");
        }
    }
    if (vendorId && adapterVendorId != 0 && *vendorId != adapterVendorId) {
        PortProblem& p = add(PortProblem::NotAdapter);
        p.vendorId = hex(vendorId);
        p.productId = hex(productId);
    }
    return found;
}

} // namespace kelvara
