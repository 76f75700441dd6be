#include "CliCommand.h"
#include "CliSession.h"
#include "CliText.h"
#include "Console.h"

#include "firmware/ServerModel.h"
#include "link/LensClient.h"
#include "platform/HttpClient.h"
#include "platform/LogFile.h"
#include "platform/PortDiagnosis.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QTimer>

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace kelvara {

namespace {

// The server is asked for as long as a user would wait for a check; its answer, not a
// wait, normally ends it.
constexpr double SERVER_TIMEOUT_S = 4.0;
constexpr int SERVER_WAIT_MS = 5000;

struct Problem {
    QString problem;
    QString fix;
};

struct ServerCheck {
    QString url;
    bool reachable = false;
    QString error;
};

QString userName() {
    if (const passwd* pw = ::getpwuid(::geteuid()))
        return QString::fromLocal8Bit(pw->pw_name);
    return QString::number(::geteuid());
}

QStringList groupNames() {
    std::vector<gid_t> ids(std::size_t(std::max(0, ::getgroups(0, nullptr))) + 1);
    ids[0] = ::getegid();
    const int count = ::getgroups(int(ids.size() - 1), ids.data() + 1);
    ids.resize(std::size_t(std::max(0, count)) + 1);
    QStringList names;
    for (gid_t id : ids) {
        const group* gr = ::getgrgid(id);
        const QString name = gr ? QString::fromLocal8Bit(gr->gr_name) : QString::number(id);
        if (!names.contains(name))
            names.append(name);
    }
    return names;
}

QString hexId(std::optional<std::uint16_t> id) {
    return QStringLiteral("%1").arg(*id, 4, 16, QLatin1Char('0'));
}

QJsonValue orNull(const QString& text) {
    return text.isEmpty() ? QJsonValue() : QJsonValue(text);
}

QJsonObject portJson(const PortDiagnosis& d) {
    QJsonArray held;
    for (const PortDiagnosis::Holder& h : d.heldBy)
        held.append(QJsonObject{{QStringLiteral("pid"), h.pid}, {QStringLiteral("name"), h.name}});
    return {
        {QStringLiteral("path"), d.path},
        {QStringLiteral("vendorId"), d.vendorId ? QJsonValue(hexId(d.vendorId)) : QJsonValue()},
        {QStringLiteral("productId"), d.productId ? QJsonValue(hexId(d.productId)) : QJsonValue()},
        {QStringLiteral("owner"), orNull(d.owner)},
        {QStringLiteral("group"), orNull(d.group)},
        {QStringLiteral("mode"), orNull(d.mode)},
        {QStringLiteral("accessible"), d.accessible},
        {QStringLiteral("heldBy"), held}};
}

void printPort(const PortDiagnosis& d) {
    Console::out(CliText::text(CliText::DoctorPort).arg(d.path));
    const auto line = [](const QString& text) { Console::out(QStringLiteral("  ") + text); };
    if (d.vendorId)
        line(CliText::text(CliText::DoctorUsbId).arg(hexId(d.vendorId), hexId(d.productId)));
    if (d.latencyTimer >= 0)
        line(CliText::text(CliText::DoctorLatency).arg(d.latencyTimer));
    if (!d.exists)
        return;
    line(CliText::text(CliText::DoctorOwner).arg(d.owner, d.group, d.mode));
    line(CliText::text(d.accessible ? CliText::DoctorAccessible : CliText::DoctorNotAccessible));
    QStringList held;
    for (const PortDiagnosis::Holder& h : d.heldBy)
        held.append(QStringLiteral("%1 (%2)").arg(h.name).arg(h.pid));
    if (!held.isEmpty())
        line(CliText::text(CliText::DoctorHeldBy).arg(held.join(QStringLiteral(", "))));
    if (d.someProcessesHidden)
        line(CliText::text(CliText::DoctorHidden));
}

void report(const QList<PortDiagnosis>& ports, const ServerCheck& server, bool json) {
    const QString rule = PortDiagnosis::installedUdevRule();
    QList<Problem> problems;
    if (ports.isEmpty())
        problems.append(
            {CliText::text(CliText::DoctorNoAdapter), CliText::text(CliText::DoctorNoAdapterFix)});
    for (const PortDiagnosis& d : ports)
        for (const PortProblem& p : d.problems())
            problems.append({p.text(), p.fix()});
    if (!server.reachable)
        problems.append({CliText::text(CliText::DoctorUnreachable).arg(server.url, server.error),
                         CliText::text(CliText::DoctorServerFix)});

    if (json) {
        QJsonArray portList;
        for (const PortDiagnosis& d : ports)
            portList.append(portJson(d));
        QJsonArray problemList;
        for (const Problem& p : problems)
            problemList.append(QJsonObject{{QStringLiteral("problem"), p.problem},
                                           {QStringLiteral("fix"), p.fix}});
        const QJsonObject root{
            {QStringLiteral("ports"), portList},
            {QStringLiteral("udevRule"), orNull(rule)},
            {QStringLiteral("user"),
             QJsonObject{{QStringLiteral("name"), userName()},
                         {QStringLiteral("groups"), QJsonArray::fromStringList(groupNames())}}},
            {QStringLiteral("updateServer"),
             QJsonObject{{QStringLiteral("url"), server.url},
                         {QStringLiteral("reachable"), server.reachable},
                         {QStringLiteral("error"), orNull(server.error)}}},
            {QStringLiteral("logDirectory"), LogFile::directory()},
            {QStringLiteral("problems"), problemList}};
        Console::out(
            QString::fromUtf8(QJsonDocument(root).toJson(QJsonDocument::Indented)).trimmed());
        return;
    }
    for (const PortDiagnosis& d : ports)
        printPort(d);
    Console::out(rule.isEmpty() ? CliText::text(CliText::DoctorNoRule)
                                : CliText::text(CliText::DoctorRule).arg(rule));
    Console::out(CliText::text(CliText::DoctorUser)
                     .arg(userName(), groupNames().join(QStringLiteral(", "))));
    if (server.reachable)
        Console::out(CliText::text(CliText::DoctorServer)
                         .arg(server.url, CliText::text(CliText::DoctorReachable)));
    Console::out(CliText::text(CliText::DoctorLog).arg(LogFile::directory()));
    if (problems.isEmpty()) {
        Console::out(CliText::text(CliText::DoctorNoProblems));
        return;
    }
    Console::out(CliText::text(CliText::DoctorProblems));
    for (const Problem& p : problems)
        Console::out(QStringLiteral("  ") + p.problem + QStringLiteral("; ") + p.fix);
}

void run(CliSession& session, bool json) {
    QList<PortDiagnosis> ports;
    for (const QString& path : LensClient::portList().findAdapterPorts())
        ports.append(PortDiagnosis::examine(path, UsbSerialPortList::configuredVendorId()));
    auto server = std::make_shared<ServerCheck>();
    server->url = ServerModel::baseUrl();
    server->error = CliText::text(CliText::DoctorNoAnswer).arg(SERVER_WAIT_MS / 1000);
    auto reported = std::make_shared<bool>(false);
    QPointer<CliSession> self(&session);
    // Whichever comes first, the answer or the wait's end, reports.
    const auto done = [self, server, reported, ports, json] {
        if (!self || std::exchange(*reported, true))
            return;
        report(ports, *server, json);
        const bool healthy = !ports.isEmpty() && server->reachable &&
                             std::all_of(ports.begin(), ports.end(), [](const PortDiagnosis& d) {
                                 return d.problems().isEmpty();
                             });
        self->finish(healthy ? 0 : 1);
    };
    QTimer::singleShot(SERVER_WAIT_MS, &session, done);
    HttpRequest request;
    request.url = QUrl(ServerModel::utilityInfoAddress());
    request.timeoutSeconds = SERVER_TIMEOUT_S;
    HttpClient::shared()->get(request, [self, server, done](const HttpResponse& response) {
        QMetaObject::invokeMethod(
            self.data(),
            [server, done, response] {
                // A server that answers without the utility catalogue serves no update.
                server->reachable = response.received && response.status == 200;
                server->error = !response.received ? response.error
                                : server->reachable
                                    ? QString()
                                    : QStringLiteral("HTTP %1").arg(response.status);
                done();
            },
            Qt::QueuedConnection);
    });
}

} // namespace

CliCommand doctorCommand() {
    return {QStringLiteral("doctor"),
            QString(),
            QStringLiteral("why the lens adapter cannot be used: its ports, who may open\n"
                           "them and who holds them, the udev rule, the update server"),
            QStringLiteral("Exit status 0 when nothing is wrong, 1 when a problem is listed;\n"
                           "each problem comes with its fix. --port examines that path.\n"),
            {QCommandLineOption(QStringLiteral("json"), QStringLiteral("the findings as JSON"))},
            [](const QCommandLineParser& parser, QString*) -> CliCommand::Run {
                const bool json = parser.isSet(QStringLiteral("json"));
                return [json](CliSession& session) { run(session, json); };
            }};
}

} // namespace kelvara
