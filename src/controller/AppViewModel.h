#pragma once

#include <QObject>
#include <QString>

namespace kelvara {

class BasicInfoViewModel;
class LensSettingViewModel;
class MessageViewModel;

// The application controller: owns the models the pages observe and the state they
// share. The program creates one, which is the shared instance while it lives; a test
// creates its own, which replaces any earlier one as the shared instance.
class AppViewModel : public QObject {
    Q_OBJECT
    Q_MOC_INCLUDE("model/BasicInfoViewModel.h")
    Q_MOC_INCLUDE("model/LensSettingViewModel.h")
    Q_MOC_INCLUDE("ui/MessageViewModel.h")
    Q_PROPERTY(bool lock READ lock WRITE setLock NOTIFY lockChanged)
    Q_PROPERTY(QString footer_message READ footer_message WRITE setFooter_message NOTIFY
                   footer_messageChanged)
    Q_PROPERTY(kelvara::BasicInfoViewModel* basic_info READ basic_info CONSTANT)
    Q_PROPERTY(kelvara::LensSettingViewModel* lens_setting READ lens_setting CONSTANT)
    Q_PROPERTY(kelvara::MessageViewModel* message READ message CONSTANT)

  public:
    static constexpr int HEADER_SIZE = 16;
    static constexpr int FOOTER_SIZE = 2;
    static constexpr int E2P_BLOCK_MAX_COUNT = 2;
    static constexpr int E2P_BLOCK_SIZE = 256;
    static constexpr int BODY_SIZE = 512;

    explicit AppViewModel(QObject* parent = nullptr);
    ~AppViewModel() override;

    // The controller created last and still alive; null when there is none.
    static AppViewModel* shared();

    // A setting write is under way or its error message is open.
    bool lock() const { return lock_; }
    void setLock(bool lock);
    QString footer_message() const { return footer_message_; }
    void setFooter_message(const QString& text);

    BasicInfoViewModel* basic_info() const { return basic_info_; }
    LensSettingViewModel* lens_setting() const { return lens_setting_; }
    MessageViewModel* message() const { return message_; }

  signals:
    void lockChanged();
    void footer_messageChanged();

  private:
    bool lock_ = false;
    QString footer_message_;
    BasicInfoViewModel* basic_info_;
    LensSettingViewModel* lens_setting_;
    MessageViewModel* message_;
};

} // namespace kelvara
