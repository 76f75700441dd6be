#include "LensCommand.h"

#include "VirtualLens.h"

#include <QStringList>

#include <optional>

namespace kelvara::sim {

namespace {

const QString kOk = QStringLiteral("ok");

std::optional<int> number(const QString& token, int lo, int hi) {
    bool ok = false;
    const int n = token.toInt(&ok, 0);
    if (!ok || n < lo || n > hi)
        return std::nullopt;
    return n;
}

// "on" = until cleared, "off" = 0, or a count.
std::optional<int> count(const QString& token) {
    if (token == QLatin1String("on"))
        return FaultPlan::kForever;
    if (token == QLatin1String("off"))
        return 0;
    return number(token, 0, 1000000);
}

std::optional<int> controlByte(const QString& token) {
    if (token == QLatin1String("ack"))
        return 0x06;
    if (token == QLatin1String("nak"))
        return 0x15;
    if (token == QLatin1String("can"))
        return 0x18;
    if (token == QLatin1String("silent"))
        return FaultPlan::kSilent;
    return number(token, 0, 255);
}

QString error(const QString& text) {
    return QStringLiteral("error: ") + text;
}

QString status(const VirtualLens& lens) {
    const QList<InstalledImage> images = lens.installedImages();
    const QByteArray record = lens.record();
    return QStringLiteral("ok plugged=%1 device=%2 mode=%3 receiving=%4 attach=%5 version=%6.%7 "
                          "frames=%8 bad=%9 installed=%10 faults=%11")
        .arg(lens.isPlugged() ? QStringLiteral("yes") : QStringLiteral("no"))
        .arg(lens.devicePath().isEmpty() ? QStringLiteral("-") : lens.devicePath())
        .arg(lens.adapterMode() == AdapterMode::Update ? QStringLiteral("update")
                                                       : QStringLiteral("normal"))
        .arg(lens.isReceivingFirmware() ? QStringLiteral("yes") : QStringLiteral("no"))
        .arg(lens.attachCode())
        .arg(quint8(record.at(25)), 2, 16, QLatin1Char('0'))
        .arg(quint8(record.at(24)), 2, 16, QLatin1Char('0'))
        .arg(lens.totalFrames())
        .arg(lens.badFrames())
        .arg(images.size())
        .arg(lens.faultSummary());
}

// Parses the optional "fn F" tail of the frame faults.
bool functionFilter(const QStringList& t, qsizetype from, int* function) {
    *function = FaultPlan::kAnyFunction;
    if (t.size() == from)
        return true;
    if (t.size() != from + 2 || t.at(from) != QLatin1String("fn"))
        return false;
    const std::optional<int> f = number(t.at(from + 1), 0, 255);
    if (!f)
        return false;
    *function = *f;
    return true;
}

} // namespace

QString LensCommand::execute(VirtualLens& lens, const QString& line) {
    const QStringList t = line.trimmed().toLower().split(u' ', Qt::SkipEmptyParts);
    if (t.isEmpty())
        return error(QStringLiteral("empty command"));
    const QString& verb = t.first();

    if (verb == QLatin1String("help"))
        return QStringLiteral(
            "ok commands: status noreply refuse garbage split slow linerate unplug plug "
            "block eot1 eot2 attach factory clear");
    if (verb == QLatin1String("status") && t.size() == 1)
        return status(lens);
    if (verb == QLatin1String("clear") && t.size() == 1) {
        lens.clearFaults();
        return kOk;
    }
    if (verb == QLatin1String("factory") && t.size() == 1) {
        lens.restoreFactorySettings();
        return kOk;
    }
    if (verb == QLatin1String("noreply")) {
        const bool hasCount = t.size() > 1 && t.at(1) != QLatin1String("fn");
        const std::optional<int> n = hasCount ? count(t.at(1)) : 1;
        int function = 0;
        if (!n || !functionFilter(t, hasCount ? 2 : 1, &function))
            return error(QStringLiteral("usage: noreply [N|on|off] [fn F]"));
        lens.setNoReply(*n, function);
        return kOk;
    }
    if (verb == QLatin1String("refuse")) {
        const std::optional<int> s = t.size() > 1 ? number(t.at(1), 0, 255) : std::nullopt;
        const bool hasCount = t.size() > 2 && t.at(2) != QLatin1String("fn");
        const std::optional<int> n = hasCount ? count(t.at(2)) : 1;
        int function = 0;
        if (!s || !n || !functionFilter(t, hasCount ? 3 : 2, &function))
            return error(QStringLiteral("usage: refuse STATUS [N|on|off] [fn F]"));
        lens.setRefusal(quint8(*s), *n, function);
        return kOk;
    }
    if (verb == QLatin1String("garbage") || verb == QLatin1String("split")) {
        std::optional<int> n;
        if (t.size() == 1)
            n = 1;
        else if (t.size() == 2)
            n = count(t.at(1));
        if (!n)
            return error(QStringLiteral("usage: %1 [N|on|off]").arg(verb));
        if (verb == QLatin1String("garbage"))
            lens.setGarbage(*n);
        else
            lens.setSplit(*n);
        return kOk;
    }
    if (verb == QLatin1String("slow")) {
        const std::optional<int> ms = t.size() == 2 ? number(t.at(1), 0, 600000) : std::nullopt;
        if (!ms)
            return error(QStringLiteral("usage: slow MS"));
        lens.setReplyDelay(*ms);
        return kOk;
    }
    if (verb == QLatin1String("linerate")) {
        if (t.size() != 2 || (t.at(1) != QLatin1String("on") && t.at(1) != QLatin1String("off")))
            return error(QStringLiteral("usage: linerate on|off"));
        lens.setLineRateEmulation(t.at(1) == QLatin1String("on"));
        return kOk;
    }
    if (verb == QLatin1String("unplug")) {
        qsizetype i = 1;
        int replug = 0;
        if (t.size() > i && t.at(i) != QLatin1String("fn") && t.at(i) != QLatin1String("block")) {
            const std::optional<int> ms = number(t.at(i), 0, 3600000);
            if (!ms)
                return error(QStringLiteral("usage: unplug [MS] [fn F | block N]"));
            replug = *ms;
            ++i;
        }
        if (t.size() == i) {
            lens.unplug(replug);
            return kOk;
        }
        const std::optional<int> arg =
            t.size() == i + 2 ? number(t.at(i + 1), 0, 1000000) : std::nullopt;
        if (arg && t.at(i) == QLatin1String("fn") && *arg <= 255) {
            lens.unplugOnFunction(quint8(*arg), replug);
            return kOk;
        }
        if (arg && t.at(i) == QLatin1String("block") && *arg >= 1) {
            lens.unplugAtBlock(*arg, replug);
            return kOk;
        }
        return error(QStringLiteral("usage: unplug [MS] [fn F | block N]"));
    }
    if (verb == QLatin1String("plug") && t.size() == 1) {
        QString why;
        return lens.plug(&why) ? kOk : error(why);
    }
    if (verb == QLatin1String("block")) {
        const std::optional<int> n = t.size() >= 3 ? number(t.at(1), 1, 1000000) : std::nullopt;
        std::optional<int> c;
        if (t.size() == 4)
            c = count(t.at(3));
        else if (t.size() == 3)
            c = 1;
        const bool nak = t.size() >= 3 && t.at(2) == QLatin1String("nak");
        const bool silent = t.size() >= 3 && t.at(2) == QLatin1String("silent");
        if (!n || !c || (!nak && !silent))
            return error(QStringLiteral("usage: block N nak|silent [COUNT|on|off]"));
        lens.setBlockFault(*n, nak ? FaultPlan::BlockFault::Nak : FaultPlan::BlockFault::Silence,
                           *c);
        return kOk;
    }
    if (verb == QLatin1String("eot1") || verb == QLatin1String("eot2")) {
        const std::optional<int> a = t.size() == 2 ? controlByte(t.at(1)) : std::nullopt;
        if (!a)
            return error(QStringLiteral("usage: %1 ack|nak|can|silent|BYTE").arg(verb));
        lens.setEotAnswer(verb == QLatin1String("eot1") ? 1 : 2, *a);
        return kOk;
    }
    if (verb == QLatin1String("attach")) {
        const std::optional<int> code = t.size() == 2 ? number(t.at(1), 0, 255) : std::nullopt;
        if (!code)
            return error(QStringLiteral("usage: attach CODE"));
        lens.setAttachCode(*code);
        return kOk;
    }
    return error(QStringLiteral("unknown command \"%1\" (try help)").arg(line.trimmed()));
}

QString LensCommand::help() {
    return QStringLiteral(
        "Control commands (one per line; numbers decimal or 0x hex; answer: ok or error: ...):\n"
        "  status                          plug state, adapter mode, counters, armed faults\n"
        "  noreply [N|on|off] [fn F]       ignore the next N requests (default 1), or only those "
        "of function F\n"
        "  refuse STATUS [N|on|off] [fn F] answer with data [STATUS, 00] instead (e.g. 0x83, "
        "0x80)\n"
        "  garbage [N|on|off]              send junk bytes before the next N replies\n"
        "  split [N|on|off]                write the next N replies in three pieces\n"
        "  slow MS                         delay every reply by MS milliseconds (0 = off)\n"
        "  linerate on|off                 also delay replies by their time on the wire at the "
        "host's baud\n"
        "  unplug [MS]                     pull the cable now; plug back in after MS (0 or absent: "
        "stay out)\n"
        "  unplug [MS] fn F                ... when the next request of function F arrives "
        "(unanswered)\n"
        "  unplug [MS] block N             ... when firmware block N arrives (unanswered; 1 = "
        "first block)\n"
        "  plug                            plug the cable back in (same link path)\n"
        "  block N nak|silent [COUNT]      answer firmware block N with NAK, or not at all "
        "(default once)\n"
        "  eot1 ack|nak|can|silent|BYTE    answer the next first end-of-transmission with this\n"
        "  eot2 ack|nak|can|silent|BYTE    answer the next second end-of-transmission with this\n"
        "  attach CODE                     answer the connection request with CODE (1, 2, 3)\n"
        "  factory                         restore the factory settings image\n"
        "  clear                           drop every armed fault\n");
}

} // namespace kelvara::sim
