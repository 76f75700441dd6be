#pragma once

#include "ButtonMode.h"
#include "MessageType.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace kelvara {

// State of the one modal message box. Messages and questions are queued from any
// thread and shown one at a time, in the order asked; tooltips replace the content at
// once without queueing.
// Published fields change on the main thread only.
class MessageViewModel : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool show_message READ show_message NOTIFY changed)
    Q_PROPERTY(int tooltip_type READ tooltipTypeValue NOTIFY changed)
    Q_PROPERTY(QString title READ title NOTIFY changed)
    Q_PROPERTY(QString message READ message NOTIFY changed)
    Q_PROPERTY(QString message_id READ message_id NOTIFY changed)
    Q_PROPERTY(int sw_id READ sw_id NOTIFY changed)
    Q_PROPERTY(int func_id READ func_id NOTIFY changed)
    Q_PROPERTY(int button_mode READ buttonModeValue NOTIFY changed)
    Q_PROPERTY(QString label1 READ label1 NOTIFY changed)
    Q_PROPERTY(QString label2 READ label2 NOTIFY changed)
    Q_PROPERTY(QString label3 READ label3 NOTIFY changed)
    Q_PROPERTY(QString label4 READ label4 NOTIFY changed)
    Q_PROPERTY(QString desc1 READ desc1 NOTIFY changed)
    Q_PROPERTY(QString desc2 READ desc2 NOTIFY changed)
    Q_PROPERTY(QString desc3 READ desc3 NOTIFY changed)
    Q_PROPERTY(QString desc4 READ desc4 NOTIFY changed)

  public:
    using Handler = std::function<void()>;

    explicit MessageViewModel(QObject* parent = nullptr);
    ~MessageViewModel() override;

    // Queued; callable from any thread, return at once. The text is looked up by its id
    // when shown (an id that is no key shows unchanged).
    void showMessage(const QString& textId, Handler onOk);
    // The same with %1, %2, ... of the text replaced by args, in order.
    void showMessage(const QString& textId, const QStringList& args, Handler onOk);
    void showConfirm(const QString& textId, Handler onYes, Handler onNo);

    // Direct, on the main thread; the pages call them.
    Q_INVOKABLE void showTooltip(const QString& title, const QString& message,
                                 const QString& label1, const QString& label2,
                                 const QString& desc1, const QString& desc2);
    Q_INVOKABLE void showTooltip(const QString& title, const QString& message,
                                 const QString& label1, const QString& label2,
                                 const QString& label3, const QString& desc1,
                                 const QString& desc2, const QString& desc3);
    void showButtonFunctionTooltip(int swId, int funcId, Handler onOk);
    Q_INVOKABLE void showButtonFunctionTooltip(int swId, int funcId) {
        showButtonFunctionTooltip(swId, funcId, [] {});
    }

    // The user's answer with the handler of the pressed button; main thread.
    void respond(const Handler& handler);
    Q_INVOKABLE void respondOk() { respond(onOkInternal_); }
    Q_INVOKABLE void respondYes() { respond(onYesInternal_); }
    Q_INVOKABLE void respondNo() { respond(onNoInternal_); }

    Handler onOkInternal() const { return onOkInternal_; }
    Handler onYesInternal() const { return onYesInternal_; }
    Handler onNoInternal() const { return onNoInternal_; }
    // A queued message is up and holds the queue until answered.
    bool isMessageVisible() const { return isMessageVisible_; }

    bool show_message() const { return show_message_; }
    MessageType tooltip_type() const { return tooltip_type_; }
    int tooltipTypeValue() const { return int(tooltip_type_); }
    QString title() const { return title_; }
    QString message() const { return message_; }
    // The text id of a queued message or question; empty for a tooltip.
    QString message_id() const { return message_id_; }
    int sw_id() const { return sw_id_; }
    int func_id() const { return func_id_; }
    ButtonMode button_mode() const { return button_mode_; }
    int buttonModeValue() const { return int(button_mode_); }
    QString label1() const { return labels_[0]; }
    QString label2() const { return labels_[1]; }
    QString label3() const { return labels_[2]; }
    QString label4() const { return labels_[3]; }
    QString desc1() const { return descs_[0]; }
    QString desc2() const { return descs_[1]; }
    QString desc3() const { return descs_[2]; }
    QString desc4() const { return descs_[3]; }

  signals:
    void changed();

  private:
    struct Queue;
    struct Content;

    void enqueue(std::function<Content()> content);
    void present(const Content& content);

    std::shared_ptr<Queue> queue_;
    bool isMessageVisible_ = false;

    bool show_message_ = false;
    MessageType tooltip_type_ = MessageType::Message;
    QString title_;
    QString message_;
    QString message_id_;
    int sw_id_ = -1;
    int func_id_ = -1;
    ButtonMode button_mode_ = ButtonMode::OK;
    QString labels_[4];
    QString descs_[4];
    Handler onYesInternal_ = [] {};
    Handler onNoInternal_ = [] {};
    Handler onOkInternal_ = [] {};
};

} // namespace kelvara
