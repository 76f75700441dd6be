#include "LensEngine.h"

#include "LensState.h"
#include "Rendezvous.h"
#include "TermiosProbe.h"

#include <QMutexLocker>
#include <QSocketNotifier>

#include <cerrno>
#include <chrono>
#include <memory>
#include <sys/eventfd.h>
#include <thread>
#include <unistd.h>

namespace kelvara::sim {

namespace {

constexpr quint8 kConnect = 0xF8;
constexpr quint8 kRead = 0xF4;
constexpr quint8 kWrite = 0xF5;
constexpr quint8 kDisconnect = 0xF9;
constexpr quint8 kFirmwareStart = 0xFD;

constexpr quint8 kRefused = 0x80;

// A real receiver gives up on half a message after a quiet spell.
constexpr int kStaleFramedMs = 300;
constexpr int kStaleBlockMs = 1000;
// The adapter drops back to framed mode when a transfer goes quiet.
constexpr int kTransferIdleMs = 10000;
// The host arms its wait about 10 ms after writing the start request.
constexpr int kReadyDelayMs = 100;
constexpr int kSplitGapMs = 15;

const QByteArray kGarbage = QByteArray::fromHex("0055AAFF33");
const QByteArray kImageMagic = QByteArrayLiteral("KLVIMG");

QByteArray refusal(quint8 status) {
    QByteArray data(2, char(0));
    data[0] = char(status);
    return data;
}

} // namespace

LensEngine::LensEngine(std::shared_ptr<LensState> state, QString linkPath)
    : state_(std::move(state)), linkPath_(std::move(linkPath)), outTimer_(this), staleTimer_(this),
      idleTimer_(this), replugTimer_(this), readRetryTimer_(this) {
    clock_.start();
    wakeFd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    for (QTimer* t : {&outTimer_, &staleTimer_, &idleTimer_, &replugTimer_, &readRetryTimer_}) {
        t->setSingleShot(true);
        t->setTimerType(Qt::PreciseTimer);
    }
    connect(&outTimer_, &QTimer::timeout, this, &LensEngine::pump);
    connect(&staleTimer_, &QTimer::timeout, this, [this] {
        if (!rx_.isEmpty() && !transfer_) {
            QMutexLocker lock(&state_->mutex);
            ++state_->badFrames;
        }
        rx_.clear();
    });
    connect(&idleTimer_, &QTimer::timeout, this, [this] { finishTransfer(false); });
    connect(&replugTimer_, &QTimer::timeout, this, [this] { plugIn(nullptr); });
    connect(&readRetryTimer_, &QTimer::timeout, this, [this] {
        if (notifier_)
            notifier_->setEnabled(true);
    });
}

LensEngine::~LensEngine() {
    shutdown();
    if (wakeFd_ >= 0)
        ::close(wakeFd_);
}

void LensEngine::attachToThread() {
    wakeNotifier_ = new QSocketNotifier(wakeFd_, QSocketNotifier::Read, this);
    connect(wakeNotifier_, &QSocketNotifier::activated, this, &LensEngine::onMail);
}

void LensEngine::call(const std::function<void()>& work) {
    // Held by both sides: the lens's thread may still be inside arrive() when the caller
    // has gone on, and a caller's stack frame is soon another's.
    auto done = std::make_shared<Rendezvous>();
    {
        // Wake the lens under the lock: the work cannot be picked up, and the
        // engine (with its eventfd) cannot go away, before the write is done.
        std::lock_guard<std::mutex> lock(mailMutex_);
        // A copy, not the caller's object: nothing on the lens's thread reads the caller's stack.
        mail_.push_back([work, done] {
            work();
            done->arrive();
        });
        const quint64 one = 1;
        [[maybe_unused]] const ssize_t n = ::write(wakeFd_, &one, sizeof one);
    }
    done->wait();
}

void LensEngine::onMail() {
    quint64 count = 0;
    [[maybe_unused]] const ssize_t n = ::read(wakeFd_, &count, sizeof count);
    for (;;) {
        std::function<void()> work;
        {
            std::lock_guard<std::mutex> lock(mailMutex_);
            if (mail_.empty())
                return;
            work = std::move(mail_.front());
            mail_.pop_front();
        }
        work();
    }
}

bool LensEngine::plugIn(QString* error) {
    replugTimer_.stop();
    if (link_.isOpen())
        return true;
    if (!link_.open(linkPath_, error))
        return false;
    notifier_ = new QSocketNotifier(link_.masterFd(), QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &LensEngine::onReadable);
    {
        QMutexLocker lock(&state_->mutex);
        state_->plugged = true;
        const QString device = link_.devicePath();
        state_->devicePath = QString(device.constData(), device.size());
    }
    emit plugChanged(true);
    return true;
}

void LensEngine::unplug(int replugMs) {
    replugTimer_.stop();
    if (link_.isOpen()) {
        if (transfer_)
            finishTransfer(false);
        rx_.clear();
        out_.clear();
        outTimer_.stop();
        staleTimer_.stop();
        readRetryTimer_.stop();
        if (notifier_) {
            notifier_->setEnabled(false);
            notifier_->deleteLater();
            notifier_ = nullptr;
        }
        {
            QMutexLocker lock(&state_->mutex);
            state_->plugged = false;
            state_->devicePath.clear();
            // Losing power puts the adapter back into its normal mode.
            state_->adapterMode = AdapterMode::Normal;
        }
        link_.close();
        emit plugChanged(false);
    }
    if (replugMs > 0)
        replugTimer_.start(replugMs);
}

void LensEngine::shutdown() {
    unplug(0);
    idleTimer_.stop();
}

int LensEngine::hostBaud() const {
    return TermiosProbe::outputBaud(link_.slaveFd());
}

void LensEngine::onReadable() {
    char buffer[4096];
    QByteArray got;
    for (;;) {
        const ssize_t n = ::read(link_.masterFd(), buffer, sizeof buffer);
        if (n > 0) {
            got.append(buffer, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && notifier_) {
            // Nothing to read but the notifier keeps firing (EIO): back off briefly.
            notifier_->setEnabled(false);
            readRetryTimer_.start(20);
        }
        break;
    }
    receive(got);
}

void LensEngine::receive(const QByteArray& bytes) {
    rx_.append(bytes);
    if (transfer_ && !bytes.isEmpty())
        noteInbound(bytes.size());
    process();
}

void LensEngine::noteInbound(qsizetype bytes) {
    bool lineRate = false;
    {
        QMutexLocker lock(&state_->mutex);
        lineRate = state_->faults.lineRate();
    }
    const int baud = lineRate ? hostBaud() : 0;
    if (baud <= 0) {
        inboundEndNs_ = answerDueNs_ = 0;
        return;
    }
    // 8N1: ten bit times per byte, in both directions.
    const double byteNs = 10.0e9 / baud;
    inboundEndNs_ = qMax(clock_.nsecsElapsed(), inboundEndNs_) + qint64(double(bytes) * byteNs);
    answerDueNs_ = inboundEndNs_ + qint64(byteNs);
}

void LensEngine::holdForLine() {
    // Finer than a timer can wait: sleep most of it, spin the rest.
    constexpr qint64 spinNs = 200000;
    const qint64 left = answerDueNs_ - clock_.nsecsElapsed();
    if (left > spinNs)
        std::this_thread::sleep_for(std::chrono::nanoseconds(left - spinNs));
    while (clock_.nsecsElapsed() < answerDueNs_) {
    }
}

void LensEngine::process() {
    while (!rx_.isEmpty() && link_.isOpen()) {
        const bool progressed = transfer_ ? processTransfer() : processFramed();
        if (!progressed)
            break;
    }
    if (transfer_)
        idleTimer_.start(kTransferIdleMs);
    if (rx_.isEmpty())
        staleTimer_.stop();
    else
        staleTimer_.start(transfer_ ? kStaleBlockMs : kStaleFramedMs);
}

bool LensEngine::processFramed() {
    Frame frame;
    qsizetype used = 0;
    switch (Frame::scan(rx_, &used, &frame)) {
    case Frame::Scan::NeedMore:
        return false;
    case Frame::Scan::Junk:
        rx_.remove(0, used);
        return true;
    case Frame::Scan::Bad: {
        rx_.remove(0, used);
        QMutexLocker lock(&state_->mutex);
        ++state_->badFrames;
        return true;
    }
    case Frame::Scan::Good: {
        const QByteArray raw = rx_.left(used);
        rx_.remove(0, used);
        handleFrame(frame, raw);
        return true;
    }
    }
    return false;
}

void LensEngine::handleFrame(const Frame& request, const QByteArray& raw) {
    FaultPlan::FrameDecision decision;
    std::optional<QByteArray> data;
    bool start = false;
    {
        QMutexLocker lock(&state_->mutex);
        ++state_->frameCounts[request.function];
        state_->lastRequest =
            QByteArray(raw.constData(), raw.size()); // never shared across threads
        decision = state_->faults.onFrame(request.function);
        if (decision.action == FaultPlan::FrameAction::Reply) {
            data = answer(request, &start);
            if (request.function == kWrite && state_->faults.forgetsAfterWrite())
                state_->settings = state_->profile.factorySettings;
        }
        else if (decision.action == FaultPlan::FrameAction::Refuse)
            data = refusal(decision.status);
    }
    emit requestReceived(request.function);

    if (decision.action == FaultPlan::FrameAction::Unplug) {
        unplug(decision.replugMs);
        return;
    }
    if (data)
        sendReply(request, *data);
    if (start)
        startTransfer(quint8(request.data.at(0)), quint8(request.data.at(1)));
}

// Runs with the state locked. No value means no framed reply at all.
std::optional<QByteArray> LensEngine::answer(const Frame& request, bool* startTransfer) {
    LensState& s = *state_;
    const QByteArray& d = request.data;
    switch (request.function) {
    case kConnect:
        return QByteArray(1, char(s.attachCode));
    case kDisconnect:
        return QByteArray(1, char(0));
    case kRead: {
        if (d.size() != 5 || d.at(0) != 0)
            return refusal(kRefused);
        const int area = quint8(d.at(1));
        const int address = (quint8(d.at(2)) << 8) | quint8(d.at(3));
        const int count = quint8(d.at(4)) == 0 ? 256 : quint8(d.at(4));
        const QByteArray memory = area == 0 ? s.record() : area == 1 ? s.settings : QByteArray();
        if (memory.isEmpty() || address + count > memory.size())
            return refusal(kRefused);
        return d + memory.mid(address, count);
    }
    case kWrite: {
        if (d == QByteArray::fromHex("0101000000")) {
            s.settings = s.profile.factorySettings;
            return QByteArray(1, char(0));
        }
        // Only the settings memory can be written; the information record is read-only.
        if (d.size() < 5 || d.at(0) != 0 || d.at(1) != 1)
            return refusal(kRefused);
        const int address = (quint8(d.at(2)) << 8) | quint8(d.at(3));
        const int count = quint8(d.at(4)) == 0 ? 256 : quint8(d.at(4));
        if (d.size() != 5 + count || address + count > s.settings.size())
            return refusal(kRefused);
        s.settings.replace(address, count, d.mid(5));
        return QByteArray(1, char(0));
    }
    case kFirmwareStart: {
        if (d.size() != 2)
            return refusal(kRefused);
        if (d.at(0) == 0 && d.at(1) == 2 && s.adapterMode == AdapterMode::Normal) {
            // The host now closes, reopens, connects and repeats the start.
            s.adapterMode = AdapterMode::Update;
            return std::nullopt;
        }
        *startTransfer = true;
        return std::nullopt;
    }
    default:
        return refusal(kRefused);
    }
}

void LensEngine::sendReply(const Frame& request, const QByteArray& data) {
    Frame reply;
    reply.packet = request.packet;
    reply.destination = request.destination;
    reply.function = request.function;
    reply.data = data;
    QByteArray bytes = reply.encode();

    FaultPlan::ReplyShape shape;
    {
        QMutexLocker lock(&state_->mutex);
        shape = state_->faults.onReply();
    }
    if (shape.garbage)
        bytes.prepend(kGarbage);
    const int delay = shape.delayMs + (shape.lineRate ? transmitMs(bytes.size()) : 0);
    if (!shape.split) {
        queueOut(bytes, delay);
        return;
    }
    // Header incomplete in the first piece, data cut in the middle by the second.
    const qsizetype firstCut = 3;
    const qsizetype secondCut = firstCut + (bytes.size() - firstCut) / 2;
    queueOut(bytes.left(firstCut), delay);
    queueOut(bytes.mid(firstCut, secondCut - firstCut), delay + kSplitGapMs);
    queueOut(bytes.mid(secondCut), delay + 2 * kSplitGapMs);
}

void LensEngine::sendControl(quint8 byte) {
    if (transfer_ && answerDueNs_ > 0)
        holdForLine();
    queueOut(QByteArray(1, char(byte)), 0);
}

int LensEngine::transmitMs(qsizetype bytes) const {
    const int baud = hostBaud();
    if (baud <= 0)
        return 0;
    // 8N1: ten bit times per byte.
    return int((bytes * 10 * 1000 + baud - 1) / baud);
}

void LensEngine::queueOut(const QByteArray& bytes, int delayMs) {
    qint64 due = clock_.elapsed() + qMax(0, delayMs);
    if (!out_.empty())
        due = qMax(due, out_.back().due);
    out_.push_back({bytes, due});
    pump();
}

void LensEngine::pump() {
    const qint64 now = clock_.elapsed();
    while (!out_.empty() && out_.front().due <= now && link_.isOpen()) {
        Outgoing& next = out_.front();
        const ssize_t n =
            ::write(link_.masterFd(), next.bytes.constData(), size_t(next.bytes.size()));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            outTimer_.start(2); // the host is not reading; try again shortly
            return;
        }
        if (n < 0) {
            out_.clear();
            return;
        }
        if (n < next.bytes.size()) {
            next.bytes.remove(0, n);
            outTimer_.start(2);
            return;
        }
        out_.pop_front();
    }
    if (!out_.empty())
        outTimer_.start(int(qMax<qint64>(0, out_.front().due - now)));
}

void LensEngine::startTransfer(quint8 device, quint8 area) {
    transfer_ = true;
    inboundEndNs_ = answerDueNs_ = 0;
    transferDevice_ = device;
    transferArea_ = area;
    eots_ = 0;
    receiver_.restart();
    {
        QMutexLocker lock(&state_->mutex);
        state_->receiving = true;
    }
    queueOut(QByteArray(1, char(BlockReceiver::READY)), kReadyDelayMs);
    idleTimer_.start(kTransferIdleMs);
}

bool LensEngine::processTransfer() {
    if (quint8(rx_.at(0)) == 0x0F) {
        // A framed request in the middle of a transfer: the host has given up on it.
        Frame frame;
        qsizetype used = 0;
        const Frame::Scan scan = Frame::scan(rx_, &used, &frame);
        if (scan == Frame::Scan::NeedMore)
            return false;
        if (scan == Frame::Scan::Good) {
            finishTransfer(false);
            return true;
        }
        rx_.remove(0, 1);
        return true;
    }
    const BlockReceiver::Event event = receiver_.next(rx_);
    switch (event.kind) {
    case BlockReceiver::Kind::NeedMore:
        return false;
    case BlockReceiver::Kind::Stray:
        return true;
    case BlockReceiver::Kind::BadBlock:
        sendControl(BlockReceiver::NAK);
        return true;
    case BlockReceiver::Kind::Duplicate:
        sendControl(BlockReceiver::ACK);
        return true;
    case BlockReceiver::Kind::Block:
        handleBlock(event);
        return true;
    case BlockReceiver::Kind::Eot:
        handleEot();
        return true;
    }
    return true;
}

void LensEngine::handleBlock(const BlockReceiver::Event& event) {
    emit blockReceived(event.ordinal);
    FaultPlan::BlockDecision decision;
    {
        QMutexLocker lock(&state_->mutex);
        decision = state_->faults.onBlock(event.ordinal);
    }
    switch (decision.fault) {
    case FaultPlan::BlockFault::Unplug:
        unplug(decision.replugMs);
        return;
    case FaultPlan::BlockFault::Silence:
        return;
    case FaultPlan::BlockFault::Nak:
        sendControl(BlockReceiver::NAK);
        return;
    case FaultPlan::BlockFault::None:
        receiver_.accept(event);
        sendControl(BlockReceiver::ACK);
        return;
    }
}

void LensEngine::handleEot() {
    ++eots_;
    std::optional<int> forced;
    {
        QMutexLocker lock(&state_->mutex);
        forced = state_->faults.takeEotAnswer(eots_ == 1 ? 1 : 2);
    }
    if (eots_ == 1) {
        const int answer = forced.value_or(BlockReceiver::NAK);
        if (answer != FaultPlan::kSilent)
            sendControl(quint8(answer));
        return;
    }
    // A lens will not install an image with a hole in it.
    const bool complete = receiver_.acceptedBlocks() > 0 && !receiver_.sequenceBroken();
    const int answer = forced.value_or(complete ? BlockReceiver::ACK : BlockReceiver::CAN);
    if (answer != FaultPlan::kSilent)
        sendControl(quint8(answer));
    finishTransfer(complete && answer == BlockReceiver::ACK);
}

void LensEngine::finishTransfer(bool install) {
    if (!transfer_)
        return;
    transfer_ = false;
    idleTimer_.stop();
    InstalledImage image;
    if (install) {
        image.device = transferDevice_;
        image.area = transferArea_;
        image.stream = QByteArray(receiver_.stream().constData(), receiver_.stream().size());
        const QByteArray leading = image.stream.left(BlockReceiver::kBlockData);
        const bool zeroLead = leading.size() == BlockReceiver::kBlockData &&
                              leading.count(char(0)) == BlockReceiver::kBlockData;
        image.image = zeroLead ? image.stream.mid(BlockReceiver::kBlockData) : image.stream;
    }
    {
        QMutexLocker lock(&state_->mutex);
        state_->receiving = false;
        state_->adapterMode = AdapterMode::Normal;
        if (install) {
            const int magic = int(kImageMagic.size());
            if (image.image.startsWith(kImageMagic) && image.image.size() >= magic + 2) {
                state_->versionMajor = quint8(image.image.at(magic));
                state_->versionMinor = quint8(image.image.at(magic + 1));
            }
            // A lens that asked for firmware is content once its main image is in.
            if (image.device == 0 && state_->attachCode == LensProfile::AttachWantsFirmware)
                state_->attachCode = LensProfile::AttachAlone;
            state_->installed.append(image);
        } else {
            // The image's old contents are gone: until a whole main image arrives, the
            // lens starts only far enough to ask for firmware.
            state_->attachCode = LensProfile::AttachWantsFirmware;
        }
    }
    receiver_.restart();
    if (install)
        emit imageInstalled(image.device, image.area);
}

} // namespace kelvara::sim
