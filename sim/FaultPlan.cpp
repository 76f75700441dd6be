#include "FaultPlan.h"

#include <QStringList>

namespace kelvara::sim {

namespace {
QString countText(int n) {
    return n == FaultPlan::kForever ? QStringLiteral("on") : QString::number(n);
}
QString hex(int v) {
    return QStringLiteral("0x") + QString::number(v, 16).toUpper().rightJustified(2, u'0');
}
} // namespace

bool FaultPlan::take(int& count) {
    if (count == 0)
        return false;
    if (count > 0)
        --count;
    return true;
}

void FaultPlan::setNoReply(int count, int function) {
    noReply_ = {count, function};
}

void FaultPlan::setRefusal(quint8 status, int count, int function) {
    refuse_ = {count, function};
    refuseStatus_ = status;
}

void FaultPlan::armUnplugOnFunction(quint8 function, int replugMs) {
    unplugFunction_ = function;
    unplugFunctionReplug_ = replugMs;
}

void FaultPlan::armUnplugAtBlock(int ordinal, int replugMs) {
    unplugBlock_ = ordinal;
    unplugBlockReplug_ = replugMs;
}

void FaultPlan::setBlockFault(int ordinal, BlockFault fault, int count) {
    faultBlock_ = ordinal;
    blockFault_ = count == 0 ? BlockFault::None : fault;
    blockFaultCount_ = count;
}

void FaultPlan::setEotAnswer(int which, int answer) {
    (which == 1 ? eot1_ : eot2_) = answer;
}

FaultPlan::FrameDecision FaultPlan::onFrame(quint8 function) {
    FrameDecision d;
    if (unplugFunction_ == function) {
        unplugFunction_ = -1;
        d.action = FrameAction::Unplug;
        d.replugMs = unplugFunctionReplug_;
    } else if (noReply_.matches(function)) {
        noReply_.use();
        d.action = FrameAction::Drop;
    } else if (refuse_.matches(function)) {
        refuse_.use();
        d.action = FrameAction::Refuse;
        d.status = refuseStatus_;
    }
    return d;
}

FaultPlan::ReplyShape FaultPlan::onReply() {
    ReplyShape s;
    s.garbage = take(garbage_);
    s.split = take(split_);
    s.delayMs = delayMs_;
    s.lineRate = lineRate_;
    return s;
}

FaultPlan::BlockDecision FaultPlan::onBlock(int ordinal) {
    BlockDecision d;
    if (unplugBlock_ > 0 && unplugBlock_ == ordinal) {
        unplugBlock_ = 0;
        d.fault = BlockFault::Unplug;
        d.replugMs = unplugBlockReplug_;
    } else if (blockFault_ != BlockFault::None && faultBlock_ == ordinal &&
               take(blockFaultCount_)) {
        d.fault = blockFault_;
        if (blockFaultCount_ == 0)
            blockFault_ = BlockFault::None;
    }
    return d;
}

std::optional<int> FaultPlan::takeEotAnswer(int which) {
    std::optional<int>& slot = which == 1 ? eot1_ : eot2_;
    std::optional<int> answer = slot;
    slot.reset();
    return answer;
}

bool FaultPlan::isClear() const {
    return describe() == QLatin1String("none");
}

QString FaultPlan::describe() const {
    QStringList parts;
    const auto fn = [](const Counted& c) {
        return c.function == kAnyFunction ? QString() : QStringLiteral(" fn ") + hex(c.function);
    };
    if (noReply_.remaining != 0)
        parts << QStringLiteral("noreply ") + countText(noReply_.remaining) + fn(noReply_);
    if (refuse_.remaining != 0)
        parts << QStringLiteral("refuse ") + hex(refuseStatus_) + u' ' +
                     countText(refuse_.remaining) + fn(refuse_);
    if (garbage_ != 0)
        parts << QStringLiteral("garbage ") + countText(garbage_);
    if (split_ != 0)
        parts << QStringLiteral("split ") + countText(split_);
    if (delayMs_ > 0)
        parts << QStringLiteral("slow %1").arg(delayMs_);
    if (lineRate_)
        parts << QStringLiteral("linerate on");
    if (unplugFunction_ >= 0)
        parts << QStringLiteral("unplug %1 fn %2")
                     .arg(unplugFunctionReplug_)
                     .arg(hex(unplugFunction_));
    if (unplugBlock_ > 0)
        parts << QStringLiteral("unplug %1 block %2").arg(unplugBlockReplug_).arg(unplugBlock_);
    if (blockFault_ != BlockFault::None)
        parts << QStringLiteral("block %1 %2 %3")
                     .arg(faultBlock_)
                     .arg(blockFault_ == BlockFault::Nak ? QStringLiteral("nak")
                                                         : QStringLiteral("silent"))
                     .arg(countText(blockFaultCount_));
    if (forgetAtWrite_ > 0)
        parts << QStringLiteral("forget at write %1").arg(forgetAtWrite_);
    const auto eot = [](const std::optional<int>& a) {
        return *a == kSilent ? QStringLiteral("silent") : hex(*a);
    };
    if (eot1_)
        parts << QStringLiteral("eot1 ") + eot(eot1_);
    if (eot2_)
        parts << QStringLiteral("eot2 ") + eot(eot2_);
    return parts.isEmpty() ? QStringLiteral("none") : parts.join(QStringLiteral(", "));
}

} // namespace kelvara::sim
