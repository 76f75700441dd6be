#include "MessageViewModel.h"

#include "platform/MainThread.h"
#include "platform/WorkerQueue.h"

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace kelvara {

// Admits one queued message at a time, in the order the show calls were made: a
// semaphore of count 1 with a ticket per call. Waiting happens on background tasks only.
// The gate outlives the model, so tasks still waiting when it goes away can leave.
struct MessageViewModel::Queue {
    std::mutex mutex;
    std::condition_variable turn;
    std::uint64_t issued = 0;   // tickets handed out
    std::uint64_t admitted = 0; // tickets admitted so far
    bool held = false;
    bool closed = false;
    MessageViewModel* model = nullptr; // read and written on the main thread only

    std::uint64_t ticket() {
        std::lock_guard lock(mutex);
        return issued++;
    }
    // False when the model went away while waiting.
    bool acquire(std::uint64_t ticket) {
        std::unique_lock lock(mutex);
        turn.wait(lock, [&] { return closed || (!held && admitted == ticket); });
        if (closed)
            return false;
        held = true;
        ++admitted;
        return true;
    }
    void release() {
        {
            std::lock_guard lock(mutex);
            held = false;
        }
        turn.notify_all();
    }
    void close() {
        {
            std::lock_guard lock(mutex);
            closed = true;
        }
        turn.notify_all();
    }
};

struct MessageViewModel::Content {
    MessageType type = MessageType::Message;
    QString title;
    QString message;
    QString messageId;
    QString labels[4];
    QString descs[4];
    std::optional<int> swId;
    std::optional<int> funcId;
    ButtonMode buttons = ButtonMode::OK;
    std::optional<Handler> onOk;
    std::optional<Handler> onYes;
    std::optional<Handler> onNo;
};

namespace {
MessageViewModel::Handler orNothing(MessageViewModel::Handler h) {
    return h ? std::move(h) : MessageViewModel::Handler([] {});
}
} // namespace

MessageViewModel::MessageViewModel(QObject* parent)
    : QObject(parent), queue_(std::make_shared<Queue>()) {
    queue_->model = this;
}

MessageViewModel::~MessageViewModel() {
    queue_->model = nullptr;
    queue_->close();
}

void MessageViewModel::enqueue(std::function<Content()> content) {
    WorkerQueue::post([queue = queue_, ticket = queue_->ticket(), content = std::move(content)] {
        if (!queue->acquire(ticket))
            return;
        MainThread::post([queue, content] {
            MessageViewModel* model = queue->model;
            if (!model)
                return;
            // Marked here rather than on the worker: answering a tooltip in between
            // must not release the admission this message holds.
            model->isMessageVisible_ = true;
            model->present(content());
        });
    });
}

// Ids cross to the main thread as plain copies: no string data stays shared between the
// caller's thread and the main thread.
void MessageViewModel::showMessage(const QString& textId, Handler onOk) {
    showMessage(textId, {}, std::move(onOk));
}

void MessageViewModel::showMessage(const QString& textId, const QStringList& args, Handler onOk) {
    std::vector<std::string> values;
    for (const QString& arg : args)
        values.push_back(arg.toStdString());
    enqueue(
        [id = textId.toStdString(), values = std::move(values), onOk = orNothing(std::move(onOk))] {
            Content c;
            c.messageId = QString::fromStdString(id);
            c.message = qtTrId(id.c_str());
            for (const std::string& value : values)
                c.message = c.message.arg(QString::fromStdString(value));
            c.onOk = onOk;
            return c;
        });
}

void MessageViewModel::showConfirm(const QString& textId, Handler onYes, Handler onNo) {
    enqueue([id = textId.toStdString(), onYes = orNothing(std::move(onYes)),
             onNo = orNothing(std::move(onNo))] {
        Content c;
        c.messageId = QString::fromStdString(id);
        c.message = qtTrId(id.c_str());
        c.buttons = ButtonMode::YES_NO;
        c.onYes = onYes;
        c.onNo = onNo;
        return c;
    });
}

void MessageViewModel::showTooltip(const QString& title, const QString& message,
                                   const QString& label1, const QString& label2,
                                   const QString& desc1, const QString& desc2) {
    showTooltip(title, message, label1, label2, QString(), desc1, desc2, QString());
}

void MessageViewModel::showTooltip(const QString& title, const QString& message,
                                   const QString& label1, const QString& label2,
                                   const QString& label3, const QString& desc1,
                                   const QString& desc2, const QString& desc3) {
    Content c;
    c.type = MessageType::TooltipDefault;
    c.title = title;
    c.message = message;
    c.labels[0] = label1;
    c.labels[1] = label2;
    c.labels[2] = label3;
    c.descs[0] = desc1;
    c.descs[1] = desc2;
    c.descs[2] = desc3;
    c.swId = 0;
    c.funcId = 0;
    c.onOk = [] {};
    present(c);
}

void MessageViewModel::showButtonFunctionTooltip(int swId, int funcId, Handler onOk) {
    Content c;
    c.type = MessageType::ButtonFunction;
    c.swId = swId;
    c.funcId = funcId;
    c.onOk = orNothing(std::move(onOk));
    present(c);
}

void MessageViewModel::present(const Content& c) {
    title_ = c.title;
    message_ = c.message;
    message_id_ = c.messageId;
    for (int i = 0; i < 4; ++i) {
        labels_[i] = c.labels[i];
        descs_[i] = c.descs[i];
    }
    tooltip_type_ = c.type;
    show_message_ = true;
    if (c.swId)
        sw_id_ = *c.swId;
    if (c.funcId)
        func_id_ = *c.funcId;
    if (c.onOk)
        onOkInternal_ = *c.onOk;
    if (c.onYes)
        onYesInternal_ = *c.onYes;
    if (c.onNo)
        onNoInternal_ = *c.onNo;
    button_mode_ = c.buttons;
    emit changed();
}

void MessageViewModel::respond(const Handler& handler) {
    // The handler may replace the stored handlers (by showing a tooltip) while it runs.
    const Handler run = handler;
    show_message_ = false;
    if (isMessageVisible_) {
        queue_->release();
        isMessageVisible_ = false;
    }
    emit changed();
    if (run)
        run();
}

} // namespace kelvara
