// Holding the computer's sleep off while the lens must not be left behind: a firmware
// transfer blocks it, a connected lens delays it until the lens was told.
#include "AppViewModel.h"

#include "firmware/FirmwareUpdateModel.h"
#include "link/LensClient.h"
#include "platform/MainThread.h"
#include "platform/SleepInhibitor.h"
#include "platform/SleepMonitor.h"

#include <QPointer>

namespace kelvara {

void AppViewModel::watchSleepLocks() {
    transferLock_ = new SleepInhibitor(
        QStringLiteral("sleep:idle:handle-lid-switch"), QStringLiteral("block"), app_name_,
        QStringLiteral("A firmware update is being written to the lens"), this);
    lensLock_ =
        new SleepInhibitor(QStringLiteral("sleep"), QStringLiteral("delay"), app_name_,
                           QStringLiteral("The lens is told before the computer sleeps"), this);
    connect(firmware_update_, &FirmwareUpdateModel::firmwareUpdatingChanged, this,
            &AppViewModel::holdOffSleep);
    connect(this, &AppViewModel::connect_stateChanged, this, &AppViewModel::holdOffSleep);
}

void AppViewModel::followSleep(SleepMonitor& monitor) {
    connect(&monitor, &SleepMonitor::goingToSleep, this, &AppViewModel::hostGoingToSleep);
    connect(&monitor, &SleepMonitor::wokeUp, this, &AppViewModel::hostWokeUp);
    sleepFollowed_ = true;
    holdOffSleep();
}

void AppViewModel::holdOffSleep() {
    const bool transferring = firmware_update_->firmwareUpdating();
    if (transferring)
        transferLock_->hold();
    else
        transferLock_->release();
    // Once the sleep is announced, the lens lock goes only when the lens was told.
    if (sleeping_)
        return;
    if (sleepFollowed_ && !transferring && connect_state_ != NOT_CONNECT)
        lensLock_->hold();
    else
        lensLock_->release();
}

void AppViewModel::hostGoingToSleep() {
    sleeping_ = true;
    QPointer<AppViewModel> self(this);
    // Queued on a worker: the main thread is never held up by a busy link.
    LensClient::sendWithoutReply(CommDataFormat::buildDisconnect(), [self] {
        MainThread::post([self] {
            if (self && self->sleeping_)
                self->lensLock_->release();
        });
    });
}

void AppViewModel::hostWokeUp() {
    sleeping_ = false;
    holdOffSleep();
}

} // namespace kelvara
