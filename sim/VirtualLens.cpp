#include "VirtualLens.h"

#include "LensCommand.h"
#include "LensEngine.h"
#include "LensState.h"

#include <QDir>
#include <QEventLoop>
#include <QMutexLocker>
#include <QTemporaryDir>

#include <future>
#include <numeric>
#include <utility>

namespace kelvara::sim {

namespace {

// Values handed across threads are deep copies: Qt's implicit sharing is not
// visible to the thread sanitizer when the library itself is not instrumented.
QByteArray detached(const QByteArray& b) {
    return QByteArray(b.constData(), b.size());
}
QString detached(const QString& s) {
    return QString(s.constData(), s.size());
}

LensProfile detached(const LensProfile& p) {
    LensProfile copy = p;
    copy.name = detached(p.name);
    copy.modelName = detached(p.modelName);
    copy.productName = detached(p.productName);
    copy.factorySettings = detached(p.factorySettings);
    return copy;
}

} // namespace

VirtualLens::VirtualLens(LensProfile profile, QObject* parent)
    : QObject(parent), state_(std::make_shared<LensState>(detached(profile))) {}

VirtualLens::~VirtualLens() {
    stop();
}

template <typename Fn> auto VirtualLens::locked(Fn fn) const {
    QMutexLocker lock(&state_->mutex);
    return fn(*state_);
}

// Runs work on the lens's thread and waits for it. Callers hold lifeMutex_.
void VirtualLens::onLensThread(const std::function<void()>& work) const {
    if (!engine_)
        return;
    if (std::this_thread::get_id() == lensThreadId_)
        work();
    else
        engine_->call(work);
}

bool VirtualLens::start(const QString& linkPath, QString* error) {
    QMutexLocker life(&lifeMutex_);
    if (engine_) {
        if (error)
            *error = QStringLiteral("the virtual lens is already running");
        return false;
    }
    QString path = detached(linkPath);
    if (path.isEmpty()) {
        tempDir_ = std::make_unique<QTemporaryDir>(QDir::tempPath() +
                                                   QStringLiteral("/kelvara-lens-XXXXXX"));
        if (!tempDir_->isValid()) {
            if (error)
                *error = QStringLiteral("cannot create a temporary directory: ") +
                         tempDir_->errorString();
            tempDir_.reset();
            return false;
        }
        path = tempDir_->filePath(QStringLiteral("ttyKLV0"));
    }

    // A plain thread that runs its own event loop: its start and join are
    // visible to the thread sanitizer, unlike QThread's internals.
    std::promise<LensEngine*> ready;
    thread_ = std::thread([this, &ready, enginePath = detached(path)] {
        QEventLoop loop;
        LensEngine engine(state_, enginePath);
        engine.attachToThread();
        connect(&engine, &LensEngine::quitRequested, &loop, &QEventLoop::quit,
                Qt::DirectConnection);
        connect(&engine, &LensEngine::requestReceived, this, &VirtualLens::requestReceived,
                Qt::DirectConnection);
        connect(&engine, &LensEngine::plugChanged, this, &VirtualLens::plugChanged,
                Qt::DirectConnection);
        connect(&engine, &LensEngine::imageInstalled, this, &VirtualLens::imageInstalled,
                Qt::DirectConnection);
        connect(&engine, &LensEngine::blockReceived, this, &VirtualLens::blockReceived,
                Qt::DirectConnection);
        ready.set_value(&engine);
        loop.exec();
        engine.shutdown();
    });
    lensThreadId_ = thread_.get_id();
    engine_ = ready.get_future().get();

    bool ok = false;
    QString failure;
    onLensThread([&] { ok = engine_->plugIn(&failure); });
    if (!ok) {
        life.unlock();
        stop();
        if (error)
            *error = failure;
        return false;
    }
    linkPath_ = path;
    return true;
}

void VirtualLens::stop() {
    // Let go of lifeMutex_ before waiting for the lens thread: a handler of
    // one of our signals may be calling into us from there right now.
    LensEngine* engine = nullptr;
    std::thread thread;
    std::unique_ptr<QTemporaryDir> tempDir;
    {
        QMutexLocker life(&lifeMutex_);
        if (!engine_)
            return;
        engine = std::exchange(engine_, nullptr);
        thread = std::move(thread_);
        tempDir = std::move(tempDir_);
        linkPath_.clear();
    }
    const auto quit = [engine] {
        engine->shutdown();
        emit engine->quitRequested();
    };
    if (thread.get_id() == std::this_thread::get_id())
        qFatal("VirtualLens::stop() called on the lens's own thread");
    engine->call(quit);
    thread.join();
}

bool VirtualLens::isRunning() const {
    QMutexLocker life(&lifeMutex_);
    return engine_ != nullptr;
}

QString VirtualLens::linkPath() const {
    QMutexLocker life(&lifeMutex_);
    return detached(linkPath_);
}

QString VirtualLens::devicePath() const {
    return locked([](const LensState& s) { return detached(s.devicePath); });
}

bool VirtualLens::isPlugged() const {
    return locked([](const LensState& s) { return s.plugged; });
}

void VirtualLens::setNoReply(int count, int function) {
    locked([&](LensState& s) { s.faults.setNoReply(count, function); });
}

void VirtualLens::setRefusal(quint8 status, int count, int function) {
    locked([&](LensState& s) { s.faults.setRefusal(status, count, function); });
}

void VirtualLens::setGarbage(int count) {
    locked([&](LensState& s) { s.faults.setGarbage(count); });
}

void VirtualLens::setForgetAtWrite(int ordinal) {
    locked([&](LensState& s) { s.faults.setForgetAtWrite(ordinal); });
}

void VirtualLens::setSplit(int count) {
    locked([&](LensState& s) { s.faults.setSplit(count); });
}

void VirtualLens::setReplyDelay(int ms) {
    locked([&](LensState& s) { s.faults.setDelay(ms); });
}

void VirtualLens::setLineRateEmulation(bool on) {
    locked([&](LensState& s) { s.faults.setLineRate(on); });
}

void VirtualLens::unplug(int replugAfterMs) {
    QMutexLocker life(&lifeMutex_);
    onLensThread([&] { engine_->unplug(replugAfterMs); });
}

bool VirtualLens::plug(QString* error) {
    QMutexLocker life(&lifeMutex_);
    if (!engine_) {
        if (error)
            *error = QStringLiteral("the virtual lens is not running");
        return false;
    }
    bool ok = false;
    onLensThread([&] { ok = engine_->plugIn(error); });
    return ok;
}

void VirtualLens::unplugOnFunction(quint8 function, int replugAfterMs) {
    locked([&](LensState& s) { s.faults.armUnplugOnFunction(function, replugAfterMs); });
}

void VirtualLens::unplugAtBlock(int ordinal, int replugAfterMs) {
    locked([&](LensState& s) { s.faults.armUnplugAtBlock(ordinal, replugAfterMs); });
}

void VirtualLens::setBlockFault(int ordinal, FaultPlan::BlockFault fault, int count) {
    locked([&](LensState& s) { s.faults.setBlockFault(ordinal, fault, count); });
}

void VirtualLens::setEotAnswer(int which, int answer) {
    locked([&](LensState& s) { s.faults.setEotAnswer(which, answer); });
}

void VirtualLens::clearFaults() {
    locked([](LensState& s) { s.faults.clear(); });
}

QString VirtualLens::faultSummary() const {
    return locked([](const LensState& s) { return s.faults.describe(); });
}

void VirtualLens::setAttachCode(int code) {
    locked([&](LensState& s) { s.attachCode = code & 0xFF; });
}

void VirtualLens::restoreFactorySettings() {
    locked([](LensState& s) { s.settings = s.profile.factorySettings; });
}

QString VirtualLens::execute(const QString& commandLine) {
    return LensCommand::execute(*this, commandLine);
}

LensProfile VirtualLens::profile() const {
    return locked([](const LensState& s) { return detached(s.profile); });
}

QByteArray VirtualLens::record() const {
    return locked([](const LensState& s) { return s.record(); });
}

QByteArray VirtualLens::settingsImage() const {
    return locked([](const LensState& s) { return detached(s.settings); });
}

int VirtualLens::framesReceived(quint8 function) const {
    return locked([&](const LensState& s) { return s.frameCounts[function]; });
}

int VirtualLens::totalFrames() const {
    return locked([](const LensState& s) {
        return std::accumulate(s.frameCounts.begin(), s.frameCounts.end(), 0);
    });
}

int VirtualLens::badFrames() const {
    return locked([](const LensState& s) { return s.badFrames; });
}

QByteArray VirtualLens::lastRequest() const {
    return locked([](const LensState& s) { return detached(s.lastRequest); });
}

QList<InstalledImage> VirtualLens::installedImages() const {
    return locked([](const LensState& s) {
        QList<InstalledImage> copies;
        for (const InstalledImage& image : s.installed)
            copies.append(
                {image.device, image.area, detached(image.stream), detached(image.image)});
        return copies;
    });
}

AdapterMode VirtualLens::adapterMode() const {
    return locked([](const LensState& s) { return s.adapterMode; });
}

bool VirtualLens::isReceivingFirmware() const {
    return locked([](const LensState& s) { return s.receiving; });
}

int VirtualLens::attachCode() const {
    return locked([](const LensState& s) { return s.attachCode; });
}

int VirtualLens::hostBaudRate() const {
    QMutexLocker life(&lifeMutex_);
    int baud = 0;
    onLensThread([&] { baud = engine_->hostBaud(); });
    return baud;
}

void VirtualLens::resetCounters() {
    locked([](LensState& s) {
        s.frameCounts.fill(0);
        s.badFrames = 0;
        s.lastRequest.clear();
    });
}

} // namespace kelvara::sim
