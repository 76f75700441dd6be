#include "FirmwareUpdateModel.h"

#include "DecodeFirmware.h"
#include "ServerModel.h"
#include "link/LensClient.h"
#include "platform/Diagnostics.h"
#include "platform/HttpClient.h"
#include "platform/MainThread.h"
#include "platform/Timings.h"
#include "platform/WorkerQueue.h"

#include <QPointer>
#include <QRegularExpression>
#include <QUrl>

#include <algorithm>
#include <semaphore>

namespace kelvara {

// One update, shared by the download, the image loop and the exchange chains.
struct FirmwareUpdateModel::Run {
    QPointer<FirmwareUpdateModel> model; // dereferenced on the main thread only
    UpdateMode mode = UpdateMode::NORMAL;
    QString descriptionKey;
    ProgressCallback callback;
    std::uint8_t firmwareType = 0;
    std::atomic<qint64> total{0};
    std::atomic<int> sendedSize{0};
    std::atomic<int> blockOffset{0};
};

// One image's exchange chain. Its own semaphore: a late completion of an earlier chain
// can never release the wait for a later one.
struct FirmwareUpdateModel::Chain {
    std::shared_ptr<Run> run;
    const OutputDecrypt* image = nullptr; // owned by the image loop, which waits for us
    std::binary_semaphore semaphore{0};
    bool ok = false; // written before the release, read after the acquire
};

FirmwareUpdateModel::FirmwareUpdateModel(QObject* parent) : QObject(parent) {}

FirmwareUpdateModel::~FirmwareUpdateModel() = default;

bool FirmwareUpdateModel::startUpdate(UpdateMode mode, const QString& url,
                                      const QString& descriptionKey,
                                      ProgressCallback progressChanged) {
    if (!MainThread::isCurrent()) {
        bool started = false;
        MainThread::call(
            [&] { started = startUpdate(mode, url, descriptionKey, std::move(progressChanged)); });
        return started;
    }
    if (firmwareUpdating_) {
        Diagnostics::line(QStringLiteral("Firmware update already running"));
        return false;
    }
    auto run = std::make_shared<Run>();
    run->model = this;
    run->mode = mode;
    run->descriptionKey = descriptionKey;
    run->callback = std::move(progressChanged);
    run->firmwareType = firmwareType_;
    {
        std::lock_guard lock(mutex_);
        current_ = run;
    }
    firmwareUpdating_ = true;
    emit firmwareUpdatingChanged();
    setDownload_progress(0.0f);
    setDownload_state(UpdateState::Start);
    if (run->callback)
        run->callback(0.0f, UpdateState::Start);

    if (!isPackageAddress(url)) {
        Diagnostics::line(QStringLiteral("Firmware package address not usable: ") + url);
        finish(run, UpdateState::Error);
        return true;
    }
    HttpRequest request;
    request.url = QUrl(url);
    request.timeoutSeconds = Timings::current().httpTimeout;
    request.maxBytes = HttpRequest::packageCap;
    // The completion thread belongs to the HTTP client: the blocking image loop gets a
    // thread of its own.
    HttpClient::shared()->get(request, [run](const HttpResponse& response) {
        WorkerQueue::post([run, response] { onDownloaded(run, response); });
    });
    return true;
}

void FirmwareUpdateModel::progressChanged(float progress, UpdateState state) const {
    ProgressCallback callback;
    {
        std::lock_guard lock(mutex_);
        if (current_)
            callback = current_->callback;
    }
    if (callback)
        callback(progress, state);
}

void FirmwareUpdateModel::setDownload_progress(float progress) {
    if (download_progress_ == progress)
        return;
    download_progress_ = progress;
    emit download_progressChanged();
}

void FirmwareUpdateModel::setDownload_state(UpdateState state) {
    if (download_state_ == state)
        return;
    download_state_ = state;
    emit download_stateChanged();
}

int FirmwareUpdateModel::sendedSize() const {
    std::lock_guard lock(mutex_);
    return current_ ? current_->sendedSize.load() : 0;
}

int FirmwareUpdateModel::blockOffset() const {
    std::lock_guard lock(mutex_);
    return current_ ? current_->blockOffset.load() : 0;
}

bool FirmwareUpdateModel::isPackageFileName(const QString& name) {
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:"));
    if (name.isEmpty() || name.contains(QLatin1String("..")) || scheme.match(name).hasMatch())
        return false;
    // '%' too: an escaped separator would turn back into one on the way.
    return std::none_of(name.begin(), name.end(), [](QChar c) {
        return c == u'/' || c == u'\\' || c == u'?' || c == u'#' || c == u'%' ||
               c.category() == QChar::Other_Control;
    });
}

QString FirmwareUpdateModel::packageAddress(const QString& firmwareFileName) {
    return isPackageFileName(firmwareFileName) ? ServerModel::firmwareAddress(firmwareFileName)
                                               : QString();
}

bool FirmwareUpdateModel::isPackageAddress(const QString& url) {
    const QString serverPrefix = ServerModel::firmwareAddress(QString());
    if (url.startsWith(serverPrefix))
        return isPackageFileName(url.mid(serverPrefix.size()));
    const QUrl parsed(url, QUrl::StrictMode);
    const QString scheme = parsed.scheme();
    if (!parsed.isValid() || parsed.hasQuery() || parsed.hasFragment() || url.contains(u'\\') ||
        (scheme != QLatin1String("http") && scheme != QLatin1String("https") &&
         scheme != QLatin1String("file")))
        return false;
    const QStringList segments = parsed.path(QUrl::FullyDecoded).split(u'/');
    return !segments.isEmpty() && !segments.last().isEmpty() &&
           !segments.contains(QStringLiteral(".."));
}

std::vector<OutputDecrypt> FirmwareUpdateModel::chooseImages(UpdateMode mode,
                                                             std::vector<OutputDecrypt> images) {
    const auto isMain = [](const OutputDecrypt& i) { return i.device == 0 && i.area == 0; };
    const auto main = std::find_if(images.begin(), images.end(), isMain);
    if (mode == UpdateMode::SAFEMODE) {
        std::vector<OutputDecrypt> only;
        if (main != images.end())
            only.push_back(std::move(*main));
        return only;
    }
    if (mode == UpdateMode::NORMAL && images.size() >= 2 && main != images.end())
        std::rotate(main, main + 1, images.end()); // the main image last, the rest in order
    return images;
}

int FirmwareUpdateModel::blockCount(const OutputDecrypt& image) {
    return 1 + int((image.odata.size() + BLOCK_SIZE - 1) / BLOCK_SIZE);
}

Bytes FirmwareUpdateModel::streamBlock(const OutputDecrypt& image, int endOffset) {
    Bytes block(BLOCK_SIZE, 0);
    // Stream offset endOffset - BLOCK_SIZE is data offset endOffset - 2 * BLOCK_SIZE.
    const std::size_t from = std::size_t(std::max(0, endOffset - 2 * BLOCK_SIZE));
    if (endOffset > BLOCK_SIZE && from < image.odata.size()) {
        const std::size_t n = std::min<std::size_t>(BLOCK_SIZE, image.odata.size() - from);
        std::copy_n(image.odata.begin() + std::ptrdiff_t(from), n, block.begin());
    }
    return block;
}

void FirmwareUpdateModel::onDownloaded(const std::shared_ptr<Run>& run,
                                       const HttpResponse& response) {
    if (!response.received) {
        // A body past the size cap did come from a server: a refusal, not a lost network.
        finish(run, response.tooLarge ? UpdateState::Error : UpdateState::NetworkError);
        return;
    }
    if (response.status != 200 || response.body.isEmpty()) {
        finish(run, UpdateState::Error);
        return;
    }
    std::vector<OutputDecrypt> decoded;
    DecodeFirmware decoder;
    // Images before a damaged one decode fine, but a package known to be damaged is
    // not half sent: the lens would end up with a mix of versions.
    if (decoder.decode(response.body, decoded, run->descriptionKey) < 1 ||
        !decoder.wholePackage()) {
        finish(run, UpdateState::Error);
        return;
    }
    const std::vector<OutputDecrypt> images = chooseImages(run->mode, std::move(decoded));
    qint64 total = 0;
    for (const OutputDecrypt& image : images)
        total += qint64(blockCount(image)) * BLOCK_SIZE;
    run->total = total;
    run->sendedSize = 0;
    if (images.empty()) {
        finish(run, UpdateState::Error);
        return;
    }
    for (const OutputDecrypt& image : images) {
        if (!sendImage(run, image)) {
            finish(run, UpdateState::Error);
            return;
        }
    }
    finish(run, UpdateState::Complete);
}

bool FirmwareUpdateModel::sendImage(const std::shared_ptr<Run>& run, const OutputDecrypt& image) {
    auto chain = std::make_shared<Chain>();
    chain->run = run;
    chain->image = &image;
    startChain(chain);
    chain->semaphore.acquire(); // every link of the chain ends in a release
    UsbSerialInterface& transport = LensClient::transport();
    transport.firmwareUpdating = false;
    transport.setLineSpeed(LensClient::NORMAL_BAUD);
    return chain->ok;
}

void FirmwareUpdateModel::startChain(const std::shared_ptr<Chain>& chain) {
    const Run& run = *chain->run;
    LensClient::startFirmwareUpdate(run.mode, chain->image->device, chain->image->area,
                                    run.firmwareType, [chain](bool ok, const Bytes&) {
                                        if (!ok) {
                                            endChain(chain, false);
                                            return;
                                        }
                                        chain->run->blockOffset = 0;
                                        sendBlock(chain);
                                    });
}

void FirmwareUpdateModel::sendBlock(const std::shared_ptr<Chain>& chain) {
    const int end = chain->run->blockOffset + BLOCK_SIZE;
    LensClient::sendFirmwareBlock(
        streamBlock(*chain->image, end),
        [chain](bool ok, const Bytes& data) { onBlockAnswer(chain, ok, data); });
}

void FirmwareUpdateModel::onBlockAnswer(const std::shared_ptr<Chain>& chain, bool ok,
                                        const Bytes& data) {
    // The link lets a NAK through as an answer; for a block it means "not taken".
    if (!ok || data.empty() || data.front() != UsbSerialInterface::ACK) {
        endChain(chain, false);
        return;
    }
    Run& run = *chain->run;
    const int sent = run.sendedSize += BLOCK_SIZE;
    const float progress = float(sent) / float(run.total.load());
    publishProgress(chain->run, progress);
    if (run.callback)
        run.callback(progress, UpdateState::Start);
    const int offset = run.blockOffset += BLOCK_SIZE;
    if (offset >= chain->image->dataSize + BLOCK_SIZE)
        sendEnd(chain);
    else
        sendBlock(chain);
}

void FirmwareUpdateModel::sendEnd(const std::shared_ptr<Chain>& chain) {
    const Bytes eot{UsbSerialInterface::EOT};
    LensClient::sendFirmwareStep(LensClient::firstEnd, eot, [chain, eot](bool ok, const Bytes&) {
        if (!ok) {
            endChain(chain, false);
            return;
        }
        LensClient::sendFirmwareStep(LensClient::secondEnd, eot,
                                     [chain](bool done, const Bytes&) { endChain(chain, done); });
    });
}

void FirmwareUpdateModel::endChain(const std::shared_ptr<Chain>& chain, bool ok) {
    chain->ok = ok;
    chain->semaphore.release();
}

void FirmwareUpdateModel::publishProgress(const std::shared_ptr<Run>& run, float progress) {
    MainThread::post([run, progress] {
        if (run->model)
            run->model->setDownload_progress(progress);
    });
}

void FirmwareUpdateModel::finish(const std::shared_ptr<Run>& run, UpdateState state) {
    if (MainThread::isCurrent()) {
        // Closing waits for the port: not on the main thread.
        WorkerQueue::post([run, state] { finish(run, state); });
        return;
    }
    UsbSerialInterface& transport = LensClient::transport();
    transport.firmwareUpdating = false;
    transport.closePort(); // also drops the removal handler; writes "Port Close"
    // Queued behind every progress report of this update.
    MainThread::post([run, state] {
        if (run->model)
            run->model->report(*run, state);
    });
}

void FirmwareUpdateModel::report(const Run& run, UpdateState state) {
    setDownload_state(state);
    setDownload_progress(0.0f);
    firmwareUpdating_ = false;
    emit firmwareUpdatingChanged();
    if (run.callback)
        run.callback(1.0f, state);
    emit updateFinished(state);
}

} // namespace kelvara
