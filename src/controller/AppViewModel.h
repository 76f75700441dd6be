#pragma once

#include "ConnectState.h"
#include "MenuId.h"
#include "Outcome.h"
#include "SettingsBackup.h"
#include "firmware/UpdateState.h"
#include "link/Bytes.h"
#include "link/UpdateMode.h"

#include <QDeadlineTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>
#include <optional>
#include <semaphore>

namespace kelvara {

class AdjustItemModel;
class BackupListModel;
class BasicInfoViewModel;
class ButtonItemModel;
class Environment;
class FileDialogs;
class FirmwareUpdateModel;
class HomeImageViewModel;
class LensSettingViewModel;
class MessageViewModel;
class PopupViewModel;
class ProductInfoFileModel;
class RingItemModel;
class SleepInhibitor;
class SleepMonitor;
class UtilityInfoFileModel;

// The application controller: owns the connection with the lens and every model the
// pages observe. Published fields change on the main thread. The program creates one in
// its environment, which is the shared instance while it lives; a test creates its own.
class AppViewModel : public QObject {
    Q_OBJECT
    Q_MOC_INCLUDE("controller/BackupListModel.h")
    Q_MOC_INCLUDE("firmware/FirmwareUpdateModel.h")
    Q_MOC_INCLUDE("model/AdjustItemModel.h")
    Q_MOC_INCLUDE("model/BasicInfoViewModel.h")
    Q_MOC_INCLUDE("model/ButtonItemModel.h")
    Q_MOC_INCLUDE("model/LensSettingViewModel.h")
    Q_MOC_INCLUDE("model/RingItemModel.h")
    Q_MOC_INCLUDE("ui/HomeImageViewModel.h")
    Q_MOC_INCLUDE("ui/MessageViewModel.h")
    Q_MOC_INCLUDE("ui/PopupViewModel.h")
    Q_PROPERTY(QString app_name READ app_name CONSTANT)
    Q_PROPERTY(QString version READ version CONSTANT)
    Q_PROPERTY(int selected_menu READ selected_menu WRITE setSelectedMenuValue NOTIFY
                   selected_menuChanged)
    Q_PROPERTY(bool show_menu READ show_menu NOTIFY show_menuChanged)
    Q_PROPERTY(bool lock READ lock WRITE setLock NOTIFY lockChanged)
    Q_PROPERTY(int connect_state READ connect_state NOTIFY connect_stateChanged)
    Q_PROPERTY(bool is_new READ is_new NOTIFY is_newChanged)
    Q_PROPERTY(QString footer_message READ footer_message WRITE setFooter_message NOTIFY
                   footer_messageChanged)
    Q_PROPERTY(kelvara::BasicInfoViewModel* basic_info READ basic_info CONSTANT)
    Q_PROPERTY(kelvara::HomeImageViewModel* home_image READ home_image CONSTANT)
    Q_PROPERTY(kelvara::ButtonItemModel* button_item READ button_item CONSTANT)
    Q_PROPERTY(kelvara::RingItemModel* ring_item READ ring_item CONSTANT)
    Q_PROPERTY(kelvara::AdjustItemModel* adjust_item READ adjust_item CONSTANT)
    Q_PROPERTY(bool is_safemode READ is_safemode NOTIFY is_safemodeChanged)
    Q_PROPERTY(kelvara::LensSettingViewModel* lens_setting READ lens_setting CONSTANT)
    Q_PROPERTY(kelvara::MessageViewModel* message READ message CONSTANT)
    Q_PROPERTY(kelvara::PopupViewModel* popup READ popup CONSTANT)
    Q_PROPERTY(kelvara::FirmwareUpdateModel* firmware_update READ firmware_update CONSTANT)
    Q_PROPERTY(float download_progress READ download_progress NOTIFY download_progressChanged)
    Q_PROPERTY(int download_state READ download_state NOTIFY download_stateChanged)
    Q_PROPERTY(QString backup_directory READ backup_directory CONSTANT)
    Q_PROPERTY(kelvara::BackupListModel* backups READ backups CONSTANT)
    Q_PROPERTY(bool auto_connecting READ isAutoConnecting NOTIFY auto_connectingChanged)
    Q_PROPERTY(bool reconnecting READ reconnecting NOTIFY reconnectingChanged)
    // The version the lens reported when it was connected again after an update; empty
    // before that.
    Q_PROPERTY(QString installed_version READ installed_version NOTIFY installed_versionChanged)
    // The controller itself, announced again whenever what its functions compute may have
    // changed (the language, the lens, a setting): bindings that call them through it are
    // evaluated again.
    Q_PROPERTY(kelvara::AppViewModel* live READ live NOTIFY liveChanged)

public:
    static constexpr int HEADER_SIZE = 16;
    static constexpr int FOOTER_SIZE = 2;
    static constexpr int E2P_BLOCK_MAX_COUNT = 2;
    static constexpr int E2P_BLOCK_SIZE = 256;
    static constexpr int BODY_SIZE = 512;

    explicit AppViewModel(QObject* parent = nullptr);
    ~AppViewModel() override;

    // The controller created last and still alive, if it belongs to the current
    // environment; null otherwise.
    static AppViewModel* shared();

    // Connection (one .cpp per concern: connection, settings transfer, settings file,
    // summary texts).
    Q_INVOKABLE void connectLens(bool forCustomizing);
    // Asks first; disconnectNow tells the lens without asking.
    Q_INVOKABLE void disconnectLens();
    void disconnectNow();
    // The computer is about to sleep: the lens is told the host goes away, without
    // waiting for its answer.
    void hostGoingToSleep();
    // The computer woke up: a lens still connected is held for again.
    void hostWokeUp();
    // Follows the computer's sleep and wake, and from then on holds the sleep off while a
    // lens is connected, until the lens was told.
    void followSleep(SleepMonitor& monitor);
    void autoConnectTimer();
    bool isAutoConnecting() const { return auto_connect_timer.isActive(); }

    // Settings transfer and files.
    Q_INVOKABLE void resetSettings();
    Q_INVOKABLE void exportSettings();
    Q_INVOKABLE void importSettings();
    void setFileDialogs(FileDialogs* dialogs) { fileDialogs_ = dialogs; }
    // Path of the automatic backup taken before the last reset, import or firmware update;
    // empty if none.
    QString lastBackup() const { return lastBackup_; }
    QString backup_directory() const;
    // The backups page: reads the backup directory again; loads a backup into the lens
    // as an import of that file does, after asking; removes one, after asking.
    Q_INVOKABLE void refreshBackups();
    Q_INVOKABLE void restoreBackup(const QString& path);
    Q_INVOKABLE void deleteBackup(const QString& path);
    BackupListModel* backups() const { return backups_; }

    // Firmware page: the update button (asks first) and the completion page's button.
    Q_INVOKABLE void startFirmwareUpdate();
    // The same from a folder laid out as the update server (kelvara-lens-cli mirror): picks
    // the folder, then takes this lens's catalogue and package from it.
    Q_INVOKABLE void startFirmwareUpdateFromFolder();
    Q_INVOKABLE void finishFirmwareUpdate();
    // After a completed transfer: waits for the lens to answer again (it restarts to run
    // the new firmware), connects to it and reads the version it now runs.
    Q_INVOKABLE void reconnectAfterUpdate();
    bool reconnecting() const { return reconnecting_; }
    QString installed_version() const { return installed_version_; }

    // The operation whose step now runs that stopping would leave half done: a firmware
    // update (the lens would ask for firmware), or the settings write of an import or a
    // reset. None otherwise. Main thread.
    std::optional<Operation> criticalOperation() const;

    // Home page summary texts.
    Q_INVOKABLE QString buttonSummaryText(int index, bool details) const;
    Q_INVOKABLE QString afLimitText(int row, int end) const;
    Q_INVOKABLE QString ringDirectionText() const;
    Q_INVOKABLE QString ringResponseText() const;
    Q_INVOKABLE QString ringResponseSummaryText() const;
    Q_INVOKABLE QString ringAngleText() const;
    Q_INVOKABLE QString pintoText() const;

    QString app_name() const { return app_name_; }
    QString version() const { return version_; }
    MenuId selectedMenu() const { return selected_menu_; }
    int selected_menu() const { return selected_menu_; }
    void setSelected_menu(MenuId menu);
    void setSelectedMenuValue(int menu) { setSelected_menu(MenuId(menu)); }
    bool show_menu() const { return show_menu_; }
    void setShow_menu(bool show);
    bool lock() const { return lock_; }
    void setLock(bool lock);
    ConnectState connectState() const { return connect_state_; }
    int connect_state() const { return connect_state_; }
    void setConnect_state(ConnectState state);
    bool is_new() const { return is_new_; }
    QString footer_message() const { return footer_message_; }
    void setFooter_message(const QString& text);
    bool is_safemode() const { return is_safemode_; }
    bool isConnectBody() const { return isConnectBody_; }
    ConnectMode connectMode() const { return connectMode_; }

    BasicInfoViewModel* basic_info() const { return basic_info_; }
    HomeImageViewModel* home_image() const { return home_image_; }
    ButtonItemModel* button_item() const { return button_item_; }
    RingItemModel* ring_item() const { return ring_item_; }
    AdjustItemModel* adjust_item() const { return adjust_item_; }
    LensSettingViewModel* lens_setting() const { return lens_setting_; }
    MessageViewModel* message() const { return message_; }
    PopupViewModel* popup() const { return popup_; }
    UtilityInfoFileModel& utility_file() const { return *utility_file_; }
    FirmwareUpdateModel* firmware_update() const { return firmware_update_; }
    float download_progress() const;
    int download_state() const;
    AppViewModel* live() { return this; }

    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    void selected_menuChanged();
    void show_menuChanged();
    void lockChanged();
    void connect_stateChanged();
    void is_newChanged();
    void footer_messageChanged();
    void is_safemodeChanged();
    void download_progressChanged();
    void download_stateChanged();
    // Re-announced changes of the owned settings, message and popup models.
    void modelChanged();
    void auto_connectingChanged();
    void reconnectingChanged();
    void installed_versionChanged();
    // The end of every operation the controller runs; see Operation.
    void operationFinished(const kelvara::Outcome& outcome);
    // A backup was attempted before overwriting the lens's settings; path is empty when
    // it could not be written.
    void backupTaken(const QString& path);
    void liveChanged();

private:
    using Step = std::function<void(const Bytes& block)>;

    void finish(Operation operation, Outcome::Result result, const QString& textId = {},
                const QStringList& args = {});
    // Shows the message textId (with args for its %1, %2, ...); once answered, runs then
    // (if any) and ends the operation.
    void report(Operation operation, Outcome::Result result, const char* textId,
                std::function<void()> then = {}, const QStringList& args = {});
    // A question: yes runs onYes, no ends the operation answered no.
    void ask(Operation operation, const char* textId, std::function<void()> onYes);
    void checkUtilityVersion(bool ok);
    void wireModels();
    MenuId firstPage() const;
    void setIs_new(bool value);
    void setIs_safemode(bool value);

    // A read reply's data without its five header bytes.
    static Bytes readBlock(const Bytes& data);
    std::function<void()> detachHandler();
    void onDetach();
    void startAutoConnectTimer();
    void stopAutoConnectTimer();
    // args fill the message's %1 (the port's problem, for the Connect_Port messages).
    void connectFailure(const char* textId = "Connect_LensConnectError",
                        const QStringList& args = {});
    void readError(Operation operation, const Bytes& data);
    void closePort();

    void readBasicInfo(bool closeOnFailure);
    void readSettings(int block, Bytes accumulator, bool closeOnFailure);
    void readForExport(int block, Bytes accumulator);
    void reread() { readBasicInfo(false); }
    void saveExport(const Bytes& image);
    void openImport(const QString& path);
    void writeBack(Bytes image);
    void backUpBeforeOverwrite(SettingsBackup::Reason reason);
    // The re-read after an import: the settings the lens does not hold as written.
    void checkImported(const Bytes& written);
    void setReconnecting(bool value);
    void checkInstalledVersion();
    // Bytes 24 and 25 of a basic-information record: the firmware version.
    static Bytes firmwareVersionBytes(const Bytes& record);
    void startSafeMode();
    void confirmSafeModeUpdate(bool found, const QString& fileName, const QString& descriptionKey);
    // The camera-body check and the question before a normal update, then the transfer.
    void confirmFirmwareUpdate(const QString& address, const QString& descriptionKey);
    void readFolderCatalogue(const QString& folder);
    void startTransfer(UpdateMode mode, const QString& address, const QString& descriptionKey);
    void transferProgress(UpdateState state);
    void watchSleepLocks();
    void holdOffSleep();

    QString app_name_;
    QString version_;
    MenuId selected_menu_ = CONNECT;
    bool show_menu_ = true;
    bool lock_ = false;
    ConnectState connect_state_ = NOT_CONNECT;
    bool is_new_ = false;
    QString footer_message_;
    bool is_safemode_ = false;

    bool isConnectBody_ = false;
    ConnectMode connectMode_ = customize;
    Operation transfer_ = Operation::FirmwareUpdate;
    // Import or Reset while its write to the lens runs.
    std::optional<Operation> settingsWrite_;
    QTimer auto_connect_timer;
    // Paces the block writes of a write-back; one release per completed block.
    std::shared_ptr<std::counting_semaphore<>> loadSemaphore =
        std::make_shared<std::counting_semaphore<>>(0);

    BasicInfoViewModel* basic_info_;
    HomeImageViewModel* home_image_;
    ButtonItemModel* button_item_;
    RingItemModel* ring_item_;
    AdjustItemModel* adjust_item_;
    LensSettingViewModel* lens_setting_;
    MessageViewModel* message_;
    PopupViewModel* popup_ = nullptr;
    FirmwareUpdateModel* firmware_update_ = nullptr;
    BackupListModel* backups_ = nullptr;
    std::unique_ptr<UtilityInfoFileModel> utility_file_;
    // The environment current when the controller was created.
    std::shared_ptr<Environment> environment_;
    std::shared_ptr<ProductInfoFileModel> safeModeCatalogue_;
    std::shared_ptr<ProductInfoFileModel> folderCatalogue_;
    FileDialogs* fileDialogs_ = nullptr;
    QString lastBackup_;
    // The image an import wrote, until the re-read that follows has been compared with it.
    std::optional<Bytes> imported_;
    // Record bytes 24 and 25 (the firmware version) before the last transfer.
    Bytes versionBefore_;
    bool reconnecting_ = false;
    QDeadlineTimer reconnectDeadline_;
    QString installed_version_;
    // Held while a firmware transfer runs, whoever started it.
    SleepInhibitor* transferLock_ = nullptr;
    // Held while a lens is connected otherwise and the sleep is followed.
    SleepInhibitor* lensLock_ = nullptr;
    bool sleepFollowed_ = false;
    // Between the sleep notice and the wake.
    bool sleeping_ = false;
};

} // namespace kelvara
