#include "Probe.h"

#include "CliCommand.h"
#include "CliSession.h"

#include "link/LensClient.h"
#include "platform/MainThread.h"
#include "platform/PortDiagnosis.h"

#include <QTextStream>

#include <cstdio>

namespace kelvara {

namespace {

constexpr int READ_HEADER = 5;

void out(const QString& text) {
    QTextStream(stdout) << text << Qt::endl;
}

void printHex(const QString& title, const Bytes& bytes) {
    out(QStringLiteral("%1 (%2 bytes):").arg(title).arg(bytes.size()));
    for (std::size_t offset = 0; offset < bytes.size(); offset += 16) {
        const Bytes row(bytes.begin() + std::ptrdiff_t(offset),
                        bytes.begin() + std::ptrdiff_t(std::min(bytes.size(), offset + 16)));
        out(QStringLiteral("  %1: %2").arg(offset, 4, 16, QLatin1Char('0')).arg(hexLine(row).trimmed()));
    }
}

QString attachMeaning(std::uint8_t code) {
    switch (code) {
    case 1:
        return QStringLiteral("lens on the adapter");
    case 2:
        return QStringLiteral("lens attached through a camera body");
    case 3:
        return QStringLiteral("lens asks for a firmware update (safe mode)");
    default:
        return QStringLiteral("unknown");
    }
}

// Completions come on the main thread or on a worker; the probe continues on the main thread.
LensClient::Completion onMain(std::function<void(bool, Bytes)> fn) {
    return [fn = std::move(fn)](bool ok, const Bytes& data) {
        MainThread::post([fn, ok, data] { fn(ok, data); });
    };
}

} // namespace

void Probe::start() {
    const QStringList paths = LensClient::portList().findAdapterPorts();
    if (paths.isEmpty()) {
        fail(QStringLiteral("no lens adapter found; plug in the dock or name its port with --port"));
        return;
    }
    const bool opened = LensClient::openAdapterPort([this] {
        fail(QStringLiteral("the lens adapter was removed"));
    });
    if (!opened) {
        QString reason = QStringLiteral("could not open %1; check that it exists and that you may "
                                        "use it (group \"dialout\")")
                             .arg(paths.join(QStringLiteral(", ")));
        for (const QString& path : paths)
            for (const PortProblem& problem :
                 PortDiagnosis::examine(path, UsbSerialPortList::configuredVendorId()).problems())
                reason += QLatin1Char('\n') + problem.line();
        fail(reason);
        return;
    }
    LensClient::exchange(CommDataFormat::buildConnect(), onMain([this](bool ok, Bytes data) {
        if (done_)
            return;
        if (!ok || data.empty()) {
            fail(QStringLiteral("the lens did not answer the connection request"));
            return;
        }
        const std::uint8_t attach = data[0];
        out(QStringLiteral("Attach: %1 (%2)").arg(attach).arg(attachMeaning(attach)));
        read(false, 0x00, QStringLiteral("Basic information"), [this, attach](const Bytes&) {
            if (attach == 3) {
                out(QStringLiteral("Settings: not read, the lens is in safe mode"));
                disconnectAndClose();
                return;
            }
            read(true, 0x00, QStringLiteral("Settings block 0"), [this](const Bytes&) {
                read(true, 0x01, QStringLiteral("Settings block 1"),
                     [this](const Bytes&) { disconnectAndClose(); });
            });
        });
    }));
}

void Probe::read(bool area, std::uint8_t addressHigh, const QString& title, Step next) {
    const auto frame = CommDataFormat::buildRead(area, addressHigh, 0x00, 0x00);
    LensClient::exchange(frame, LensClient::withStatus(onMain([this, title, next](bool ok,
                                                                                  Bytes data) {
        if (done_)
            return;
        if (!ok) {
            if (data.size() >= 2 && data[0] >= 0x80)
                fail(QStringLiteral("the lens refused to read %1 (status 0x%2)")
                         .arg(title.toLower())
                         .arg(data[0], 2, 16, QLatin1Char('0')));
            else
                fail(QStringLiteral("no valid reply while reading %1").arg(title.toLower()));
            return;
        }
        const Bytes payload(data.begin() + std::min<std::ptrdiff_t>(READ_HEADER, std::ptrdiff_t(data.size())),
                            data.end());
        printHex(title, payload);
        next(payload);
    })));
}

void Probe::disconnectAndClose() {
    // The reply to a disconnect carries nothing the probe needs.
    LensClient::exchange(CommDataFormat::buildDisconnect(), onMain([this](bool, Bytes) {
        if (done_)
            return;
        LensClient::transport().closePort();
        succeed();
    }));
}

void Probe::fail(const QString& reason) {
    if (done_)
        return;
    done_ = true;
    LensClient::transport().closePort();
    QTextStream(stderr) << "kelvara-lens-cli: " << reason << Qt::endl;
    emit finished(1);
}

void Probe::succeed() {
    done_ = true;
    emit finished(0);
}

CliCommand probeCommand() {
    return {QStringLiteral("probe"), QString(),
            QStringLiteral("connect, print the attach answer, the basic-information record\n"
                           "and both settings blocks as hex, then disconnect"),
            QStringLiteral("The link's diagnostic lines go to standard output.\n"),
            {},
            CliCommand::always([](CliSession& session) {
                auto* probe = new Probe(&session);
                QObject::connect(probe, &Probe::finished, &session, &CliSession::finish);
                probe->start();
            }),
            true};
}

} // namespace kelvara
