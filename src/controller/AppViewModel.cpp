#include "AppViewModel.h"

#include "BackupListModel.h"
#include "UtilityVersion.h"
#include "firmware/FirmwareUpdateModel.h"
#include "firmware/ServerModel.h"
#include "firmware/UtilityInfoFileModel.h"
#include "link/LensClient.h"
#include "model/AdjustItemModel.h"
#include "model/BasicInfoViewModel.h"
#include "model/ButtonItemModel.h"
#include "model/LensSettingViewModel.h"
#include "model/RingItemModel.h"
#include "platform/Environment.h"
#include "platform/MainThread.h"
#include "ui/HomeImageViewModel.h"
#include "ui/MessageViewModel.h"
#include "ui/PopupViewModel.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMetaProperty>
#include <QPointer>

namespace kelvara {

namespace {
// Touched on the main thread only, where controllers are created and destroyed.
AppViewModel* sharedInstance = nullptr;

// Connects every property notification of source to the controller's modelChanged.
void forwardNotifications(QObject* source, AppViewModel* controller) {
    const QMetaMethod target =
        QMetaMethod::fromSignal(&AppViewModel::modelChanged);
    const QMetaObject* meta = source->metaObject();
    for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i)
        if (meta->property(i).hasNotifySignal())
            QObject::connect(source, meta->property(i).notifySignal(), controller, target);
}
} // namespace

AppViewModel::AppViewModel(QObject* parent)
    : QObject(parent), app_name_(QStringLiteral(KELVARA_APP_NAME)),
      version_(QStringLiteral(KELVARA_APP_VERSION)), basic_info_(new BasicInfoViewModel(this)),
      home_image_(new HomeImageViewModel(this)),
      button_item_(new ButtonItemModel(basic_info_, this)),
      ring_item_(new RingItemModel(basic_info_, this)),
      adjust_item_(new AdjustItemModel(basic_info_, this)),
      lens_setting_(new LensSettingViewModel(this)), message_(new MessageViewModel(this)),
      utility_file_(std::make_unique<UtilityInfoFileModel>()),
      environment_(Environment::current()) {
    sharedInstance = this;
    connect(&auto_connect_timer, &QTimer::timeout, this, &AppViewModel::autoConnectTimer);

    // Pages that watch only the controller redraw when these models change.
    connect(message_, &MessageViewModel::changed, this, &AppViewModel::modelChanged);
    forwardNotifications(lens_setting_, this);
    popup_ = new PopupViewModel(lens_setting_, basic_info_, this);
    firmware_update_ = new FirmwareUpdateModel(this);
    backups_ = new BackupListModel(this);
    connect(firmware_update_, &FirmwareUpdateModel::download_progressChanged, this,
            &AppViewModel::download_progressChanged);
    connect(firmware_update_, &FirmwareUpdateModel::download_stateChanged, this,
            &AppViewModel::download_stateChanged);
    connect(popup_, &PopupViewModel::changed, this, &AppViewModel::modelChanged);
    connect(this, &AppViewModel::modelChanged, this, &AppViewModel::liveChanged);
    connect(this, &AppViewModel::connect_stateChanged, this, &AppViewModel::liveChanged);
    connect(basic_info_, &BasicInfoViewModel::changed, this, &AppViewModel::liveChanged);
    // A new language reaches the application object only.
    if (QCoreApplication* app = QCoreApplication::instance())
        app->installEventFilter(this);

    QPointer<AppViewModel> self(this);
    utility_file_->onComplete = [self](bool ok) {
        MainThread::post([self, ok] {
            if (self)
                self->checkUtilityVersion(ok);
        });
    };
    utility_file_->requestFile(ServerModel::utilityInfoAddress());
    wireModels();
    watchSleepLocks();
}

// The models report what happened; the controller owns the lock, the messages, the
// footer and the drawing that follow from it.
void AppViewModel::wireModels() {
    connect(basic_info_, &BasicInfoViewModel::recordDecoded, this, [this] {
        home_image_->selectLensType(HomeImageViewModel::classify(*basic_info_));
        home_image_->publishLensType();
        lens_setting_->setLimits(basic_info_->settingLimits());
    });
    connect(basic_info_, &BasicInfoViewModel::firmwareCheckStarted, this,
            [this] { setFooter_message(QString()); });
    connect(basic_info_, &BasicInfoViewModel::firmwareCheckFinished, this, [this](bool ok) {
        const QString textId = ok ? QString() : QStringLiteral("Footer_FWCheckError");
        setFooter_message(ok ? QString() : qtTrId("Footer_FWCheckError"));
        finish(Operation::FirmwareCheck, ok ? Outcome::Done : Outcome::Failed, textId);
    });
    connect(lens_setting_, &LensSettingViewModel::writeStarted, this, [this] { setLock(true); });
    connect(lens_setting_, &LensSettingViewModel::writeEnded, this,
            [this](bool accepted, const QString& textId) {
                setLock(false);
                finish(Operation::Write, accepted ? Outcome::Done : Outcome::Failed, textId);
            });
    connect(lens_setting_, &LensSettingViewModel::writeBusy, this,
            [this] { finish(Operation::Write, Outcome::Refused); });
    connect(lens_setting_, &LensSettingViewModel::writeRefused, this,
            [this](const QString& textId, const LensSettingViewModel::Completion& afterOk) {
                message_->showMessage(textId, afterOk);
            });
    connect(popup_, &PopupViewModel::writeBackEnded, this, [this](PopupViewModel::WriteBack result) {
        switch (result) {
        case PopupViewModel::WriteBack::Done:
            finish(Operation::CancelWriteBack, Outcome::Done);
            return;
        case PopupViewModel::WriteBack::Failed:
            finish(Operation::CancelWriteBack, Outcome::Failed);
            return;
        case PopupViewModel::WriteBack::NotStarted:
            finish(Operation::CancelWriteBack, Outcome::Refused);
            return;
        }
    });
    // The backups page lists the connected lens's model first, and each new backup.
    connect(this, &AppViewModel::backupTaken, this, &AppViewModel::refreshBackups);
    connect(this, &AppViewModel::connect_stateChanged, this, &AppViewModel::refreshBackups);
    connect(this, &AppViewModel::lockChanged, lens_setting_,
            [this] { lens_setting_->setLocked(lock_); });
}

MenuId AppViewModel::firstPage() const {
    return basic_info_->hasCustomSettings() ? HOME : FIRMWARE_INFO;
}

bool AppViewModel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == QCoreApplication::instance() && event->type() == QEvent::LanguageChange)
        emit liveChanged();
    return QObject::eventFilter(watched, event);
}

AppViewModel::~AppViewModel() {
    if (sharedInstance == this)
        sharedInstance = nullptr;
}

AppViewModel* AppViewModel::shared() {
    if (sharedInstance && sharedInstance->environment_ == Environment::current())
        return sharedInstance;
    return nullptr;
}

void AppViewModel::finish(Operation operation, Outcome::Result result, const QString& textId,
                          const QStringList& args) {
    emit operationFinished(Outcome{operation, result, textId, args});
}

void AppViewModel::report(Operation operation, Outcome::Result result, const char* textId,
                          std::function<void()> then, const QStringList& args) {
    QPointer<AppViewModel> self(this);
    const QString id = QString::fromLatin1(textId);
    message_->showMessage(id, args, [self, operation, result, id, args, then = std::move(then)] {
        if (!self)
            return;
        if (then)
            then();
        self->finish(operation, result, id, args);
    });
}

void AppViewModel::ask(Operation operation, const char* textId, std::function<void()> onYes) {
    QPointer<AppViewModel> self(this);
    message_->showConfirm(QString::fromLatin1(textId), std::move(onYes), [self, operation] {
        if (self)
            self->finish(operation, Outcome::AnsweredNo);
    });
}

void AppViewModel::checkUtilityVersion(bool ok) {
    if (!ok) {
        setIs_new(false);
        setFooter_message(qtTrId("Footer_UtilityVersionCheckError"));
        finish(Operation::UtilityCheck, Outcome::Failed,
               QStringLiteral("Footer_UtilityVersionCheckError"));
        return;
    }
    setIs_new(UtilityVersion::isNewer(UtilityVersion::parse(utility_file_->version),
                                      UtilityVersion::parse(version_)));
    setFooter_message(QString());
    finish(Operation::UtilityCheck, Outcome::Done);
}

void AppViewModel::setSelected_menu(MenuId menu) {
    if (selected_menu_ == menu)
        return;
    selected_menu_ = menu;
    emit selected_menuChanged();
}

void AppViewModel::setShow_menu(bool show) {
    if (show_menu_ == show)
        return;
    show_menu_ = show;
    emit show_menuChanged();
}

void AppViewModel::setLock(bool lock) {
    if (lock_ == lock)
        return;
    lock_ = lock;
    emit lockChanged();
}

void AppViewModel::setConnect_state(ConnectState state) {
    const bool changed = connect_state_ != state;
    connect_state_ = state;
    if (changed)
        emit connect_stateChanged();
    if (state != NOT_CONNECT)
        return;
    // Every return to NOT_CONNECT, repeated ones included, ends the connection.
    QPointer<AppViewModel> self(this);
    MainThread::post([self] {
        if (!self)
            return;
        self->setFooter_message(QString());
        self->setIs_safemode(false);
        // Also abandons a restore chain still waiting for the lens.
        self->popup_->setShow_popup(false);
    });
    closePort();
}

void AppViewModel::setIs_new(bool value) {
    if (is_new_ == value)
        return;
    is_new_ = value;
    emit is_newChanged();
}

void AppViewModel::setFooter_message(const QString& text) {
    if (footer_message_ == text)
        return;
    footer_message_ = text;
    emit footer_messageChanged();
}

void AppViewModel::setIs_safemode(bool value) {
    if (is_safemode_ == value)
        return;
    is_safemode_ = value;
    emit is_safemodeChanged();
}

void AppViewModel::closePort() {
    LensClient::transport().closePort();
}

} // namespace kelvara
