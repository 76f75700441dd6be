#pragma once

#include "OutputDecrypt.h"
#include "UpdateState.h"
#include "link/Bytes.h"
#include "link/UpdateMode.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace kelvara {

struct HttpResponse;

// Carries out one firmware update: downloads the package, decodes it, picks and orders
// the images and sends each to the lens in blocks, then closes the port whatever the
// outcome. Lives on the main thread; its published fields change there only. Needs no
// GUI, only a running Qt event loop.
class FirmwareUpdateModel : public QObject {
    Q_OBJECT
    Q_PROPERTY(float download_progress READ download_progress WRITE setDownload_progress NOTIFY
                   download_progressChanged)
    Q_PROPERTY(int download_state READ download_stateValue NOTIFY download_stateChanged)
    Q_PROPERTY(bool firmwareUpdating READ firmwareUpdating NOTIFY firmwareUpdatingChanged)

  public:
    // Called with (0, Start) at the start, after each acknowledged block with the
    // progress so far, and once with (1.0, final state) at the end. Start and end come
    // on the main thread, block progress on the transfer's threads.
    using ProgressCallback = std::function<void(float progress, UpdateState state)>;

    static constexpr int BLOCK_SIZE = 1024;
    static constexpr std::uint8_t FM_INCLUDE_OS = 0x02;

    explicit FirmwareUpdateModel(QObject* parent = nullptr);
    ~FirmwareUpdateModel() override;

    // Main thread. Returns at once; false (calling nothing) while an update runs.
    // url: the package address, best formed by packageAddress().
    bool startUpdate(UpdateMode mode, const QString& url, const QString& descriptionKey,
                     ProgressCallback progressChanged);
    // Calls the callback of the last start, if any (the callers' return to Idle).
    void progressChanged(float progress, UpdateState state) const;

    // The connected lens's firmwareType flags, taken by each start.
    void setFirmwareType(std::uint8_t flags) { firmwareType_ = flags; }
    std::uint8_t firmwareType() const { return firmwareType_; }

    // Published (main thread). The callers reset them when the user dismisses the outcome.
    float download_progress() const { return download_progress_; }
    UpdateState download_state() const { return download_state_; }
    int download_stateValue() const { return int(download_state_); }
    void setDownload_progress(float progress);
    void setDownload_state(UpdateState state);
    // From startUpdate until the end report has been made.
    bool firmwareUpdating() const { return firmwareUpdating_; }

    // Of the update running or last run; any thread.
    int sendedSize() const;
    int blockOffset() const;

    // base URL + "/kelvara/lens/" + name; empty when the name is no plain file name.
    static QString packageAddress(const QString& firmwareFileName);
    static bool isPackageFileName(const QString& name);
    // Whether an address may be fetched as a package (also checks the name part of
    // addresses on the configured server).
    static bool isPackageAddress(const QString& url);
    // The images to send, in sending order.
    static std::vector<OutputDecrypt> chooseImages(UpdateMode mode,
                                                   std::vector<OutputDecrypt> images);
    // Blocks of an image's stream: the leading zero block and the data, the last block
    // filled up with zeros.
    static int blockCount(const OutputDecrypt& image);
    // The stream's block that ends at endOffset (a multiple of BLOCK_SIZE, at least one).
    static Bytes streamBlock(const OutputDecrypt& image, int endOffset);

  signals:
    void download_progressChanged();
    void download_stateChanged();
    void firmwareUpdatingChanged();
    // After the end report's callback, main thread.
    void updateFinished(kelvara::UpdateState state);

  private:
    struct Run;
    struct Chain;

    static void onDownloaded(const std::shared_ptr<Run>& run, const HttpResponse& response);
    static bool sendImage(const std::shared_ptr<Run>& run, const OutputDecrypt& image);
    static void startChain(const std::shared_ptr<Chain>& chain);
    static void sendBlock(const std::shared_ptr<Chain>& chain);
    static void onBlockAnswer(const std::shared_ptr<Chain>& chain, bool ok, const Bytes& data);
    static void sendEnd(const std::shared_ptr<Chain>& chain);
    static void endChain(const std::shared_ptr<Chain>& chain, bool ok);
    static void publishProgress(const std::shared_ptr<Run>& run, float progress);
    static void finish(const std::shared_ptr<Run>& run, UpdateState state);
    void report(const Run& run, UpdateState state);

    std::atomic<std::uint8_t> firmwareType_{0};
    float download_progress_ = 0.0f;
    UpdateState download_state_ = UpdateState::Idle;
    bool firmwareUpdating_ = false;

    mutable std::mutex mutex_;
    std::shared_ptr<Run> current_; // guarded by mutex_
};

} // namespace kelvara
