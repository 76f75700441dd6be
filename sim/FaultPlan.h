#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

namespace kelvara::sim {

// Misbehaviour the lens has been asked to show. Plain value; the owner guards it.
// Counts: > 0 that many times, kForever until cleared, 0 off.
class FaultPlan {
  public:
    static constexpr int kForever = -1;
    static constexpr int kAnyFunction = -1;
    static constexpr int kSilent = -1; // an EOT answer of nothing at all

    enum class FrameAction { Reply, Drop, Refuse, Unplug };
    enum class BlockFault { None, Nak, Silence, Unplug };

    struct FrameDecision {
        FrameAction action = FrameAction::Reply;
        quint8 status = 0;
        int replugMs = 0;
    };
    struct ReplyShape {
        bool garbage = false;
        bool split = false;
        int delayMs = 0;
        bool lineRate = false;
    };
    struct BlockDecision {
        BlockFault fault = BlockFault::None;
        int replugMs = 0;
    };

    void setNoReply(int count, int function);
    void setRefusal(quint8 status, int count, int function);
    void setGarbage(int count) { garbage_ = count; }
    void setSplit(int count) { split_ = count; }
    void setDelay(int ms) { delayMs_ = qMax(0, ms); }
    void setLineRate(bool on) { lineRate_ = on; }
    bool lineRate() const { return lineRate_; }
    void armUnplugOnFunction(quint8 function, int replugMs);
    void armUnplugAtBlock(int ordinal, int replugMs);
    void setBlockFault(int ordinal, BlockFault fault, int count);
    // which: 1 or 2; answer: a byte, or kSilent. Applies to the next such EOT.
    void setEotAnswer(int which, int answer);
    // The lens acknowledges the ordinal-th settings write, then holds its factory settings
    // again (a worn memory). 0: off.
    void setForgetAtWrite(int ordinal) { forgetAtWrite_ = qMax(0, ordinal); }
    // Called once per acknowledged settings write; true when the lens forgets now.
    bool forgetsAfterWrite() { return forgetAtWrite_ > 0 && --forgetAtWrite_ == 0; }
    void clear() { *this = FaultPlan(); }

    // Called once per good request frame, in arrival order.
    FrameDecision onFrame(quint8 function);
    // Called once per reply that is sent.
    ReplyShape onReply();
    BlockDecision onBlock(int ordinal);
    // The fault's answer to an EOT, if one is armed; consumes it.
    std::optional<int> takeEotAnswer(int which);

    bool isClear() const;
    QString describe() const;

  private:
    struct Counted {
        int remaining = 0;
        int function = kAnyFunction;
        bool matches(quint8 fn) const {
            return remaining != 0 && (function == kAnyFunction || function == fn);
        }
        void use() {
            if (remaining > 0)
                --remaining;
        }
    };
    static bool take(int& count);

    Counted noReply_;
    Counted refuse_;
    quint8 refuseStatus_ = 0x80;
    int garbage_ = 0;
    int split_ = 0;
    int delayMs_ = 0;
    bool lineRate_ = false;
    int unplugFunction_ = -1;
    int unplugFunctionReplug_ = 0;
    int unplugBlock_ = 0;
    int unplugBlockReplug_ = 0;
    int faultBlock_ = 0;
    BlockFault blockFault_ = BlockFault::None;
    int blockFaultCount_ = 0;
    int forgetAtWrite_ = 0;
    std::optional<int> eot1_;
    std::optional<int> eot2_;
};

} // namespace kelvara::sim
