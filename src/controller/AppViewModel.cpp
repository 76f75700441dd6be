#include "AppViewModel.h"

#include "model/BasicInfoViewModel.h"
#include "model/LensSettingViewModel.h"
#include "ui/MessageViewModel.h"

namespace kelvara {

namespace {
// Touched on the main thread only, where controllers are created and destroyed.
AppViewModel* sharedInstance = nullptr;
} // namespace

AppViewModel::AppViewModel(QObject* parent)
    : QObject(parent), basic_info_(new BasicInfoViewModel(this)),
      lens_setting_(new LensSettingViewModel(this)), message_(new MessageViewModel(this)) {
    sharedInstance = this;
    basic_info_->owner = this;
    lens_setting_->owner = this;
}

AppViewModel::~AppViewModel() {
    if (sharedInstance == this)
        sharedInstance = nullptr;
}

AppViewModel* AppViewModel::shared() {
    return sharedInstance;
}

void AppViewModel::setLock(bool lock) {
    if (lock_ == lock)
        return;
    lock_ = lock;
    emit lockChanged();
}

void AppViewModel::setFooter_message(const QString& text) {
    if (footer_message_ == text)
        return;
    footer_message_ = text;
    emit footer_messageChanged();
}

} // namespace kelvara
