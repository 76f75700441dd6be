#include "CliSession.h"

#include "CliText.h"
#include "Console.h"
#include "TrackedHttpClient.h"

#include "controller/AppViewModel.h"
#include "controller/OnMainThread.h"
#include "link/LensClient.h"
#include "model/BasicInfoViewModel.h"
#include "platform/Environment.h"
#include "platform/HttpClient.h"
#include "platform/Texts.h"
#include "ui/MessageViewModel.h"

namespace kelvara {

namespace {

constexpr int REMOVAL_POLL_MS = 100;
constexpr int DISCONNECT_WAIT_MS = 2000;
constexpr int HTTP_IDLE_POLL_MS = 20;
constexpr int HTTP_IDLE_ATTEMPTS = 150;

// The messages that report a finished operation; every other one reports a failure.
bool isSuccessMessage(const QString& text) {
    for (const char* key : {"Home_SettingOutputEnd", "Home_SettingInputEnd", "Home_SettingReturnEnd"})
        if (text == Texts::text(QLatin1String(key)))
            return true;
    return false;
}

} // namespace

CliSession::CliSession(Answer answer, QObject* parent)
    : QObject(parent), answer_(answer),
      http_(std::make_shared<TrackedHttpClient>(HttpClient::shared())) {
    Environment::current()->setHttpClient(http_);
    watchdog_.setSingleShot(true);
    connect(&watchdog_, &QTimer::timeout, this,
            [this] { fail(CliText::text(CliText::Timeout)); });
    removalPoll_.setInterval(REMOVAL_POLL_MS);
    connect(&removalPoll_, &QTimer::timeout, this, &CliSession::watchForRemoval);
}

CliSession::~CliSession() = default;

AppViewModel& CliSession::controller() {
    if (controller_)
        return *controller_;
    controller_ = std::make_unique<AppViewModel>();
    AppViewModel* c = controller_.get();
    c->setFileDialogs(&fileDialogs_);
    connect(c->message(), &MessageViewModel::changed, this, &CliSession::onMessageChanged);
    connect(c->basic_info(), &BasicInfoViewModel::changed, this, [this] { ++basicInfoChanges_; });
    connect(c, &AppViewModel::selected_menuChanged, this, [this] {
        if (settingsRead_ && controller_->selectedMenu() != CONNECT)
            std::exchange(settingsRead_, {})();
    });
    connect(c, &AppViewModel::is_safemodeChanged, this, [this] {
        // Answering its messages would start a firmware transfer.
        if (controller_->is_safemode() && !safeModeAllowed_)
            fail(CliText::text(CliText::SafeMode));
    });
    return *c;
}

void CliSession::connectLens(std::function<void()> ready) {
    if (LensClient::portList().findAdapterPorts().isEmpty()) {
        fail(CliText::text(CliText::NoAdapter));
        return;
    }
    whenSettingsRead(std::move(ready));
    removalPoll_.start();
    controller().connectLens(true);
}

void CliSession::whenSettingsRead(std::function<void()> done) {
    // Every completed settings read leaves the connect page, so the page shows the end
    // of the read even when the page itself stays the same.
    controller().setSelected_menu(CONNECT);
    settingsRead_ = std::move(done);
}

void CliSession::waitForFirmwareCheck(int ms, std::function<void(bool ended)> done) {
    // The record's decode announces the model once, the end of its check once more.
    constexpr int DECODE_AND_CHECK = 2;
    if (basicInfoChanges_ >= DECODE_AND_CHECK) {
        done(true);
        return;
    }
    auto pending = std::make_shared<std::function<void(bool)>>(std::move(done));
    auto* timer = new QTimer(this);
    timer->setSingleShot(true);
    auto connection = std::make_shared<QMetaObject::Connection>();
    const auto end = [pending, timer, connection](bool ended) {
        QObject::disconnect(*connection);
        timer->stop();
        timer->deleteLater();
        if (*pending)
            std::exchange(*pending, {})(ended);
    };
    *connection = connect(controller().basic_info(), &BasicInfoViewModel::changed, this,
                          [this, end] {
                              if (basicInfoChanges_ >= DECODE_AND_CHECK)
                                  end(true);
                          });
    connect(timer, &QTimer::timeout, this, [end] { end(false); });
    timer->start(ms);
}

void CliSession::onNextMessage(MessageHandler handler) {
    nextMessage_ = std::move(handler);
}

void CliSession::armWatchdog(int ms) {
    watchdog_.start(ms);
}

void CliSession::onMessageChanged() {
    if (answering_ || finishing_ || !controller_->message()->show_message())
        return;
    // Answered from the event loop, not from inside the model's notification.
    answering_ = true;
    QTimer::singleShot(0, this, &CliSession::answerMessage);
}

void CliSession::answerMessage() {
    MessageViewModel* box = controller_->message();
    if (finishing_ || !box->show_message()) {
        answering_ = false;
        return;
    }
    const QString text = box->message();
    const bool question = box->button_mode() == ButtonMode::YES_NO;
    bool success = false;
    if (question) {
        success = answerQuestion(text);
        if (watchdog_.isActive())
            watchdog_.start(); // the time spent answering is not the lens's
        answering_ = false;
        success ? box->respondYes() : box->respondNo();
    } else {
        success = isSuccessMessage(text);
        success ? Console::out(Console::oneLine(text)) : Console::err(Console::oneLine(text));
        answering_ = false;
        box->respondOk();
    }
    if (MessageHandler handler = std::exchange(nextMessage_, {}))
        handler(text, success);
    else if (!success)
        finish(question ? 3 : 1);
}

bool CliSession::answerQuestion(const QString& text) {
    std::optional<bool> yes;
    if (answer_ == Answer::Yes)
        yes = true;
    else if (answer_ == Answer::AskTerminal && Console::stdinIsTerminal())
        yes = Console::askYesNo(text);
    if (yes && *yes) {
        Console::out(Console::oneLine(text) + QLatin1Char(' ') + CliText::text(CliText::AnsweredYes));
        return true;
    }
    if (!yes) {
        Console::err(Console::oneLine(text));
        Console::err(CliText::text(CliText::NotConfirmed));
    } else {
        Console::err(CliText::text(CliText::Declined));
    }
    return false;
}

void CliSession::watchForRemoval() {
    // A lens that restarts by itself is waited for by the controller; a command cannot.
    if (controller_ && controller_->isAutoConnecting())
        fail(CliText::text(CliText::LensRemoved));
}

void CliSession::finish(int code) {
    if (finishing_)
        return;
    finishing_ = true;
    code_ = code;
    watchdog_.stop();
    removalPoll_.stop();
    if (!controller_ || !LensClient::transport().isPortOpen()) {
        quit();
        return;
    }
    // The lens is told, as the window's removal button does, without the question.
    LensClient::exchange(CommDataFormat::buildDisconnect(),
                         onMainThread(this, [this](bool, const Bytes&) {
                             controller_->setConnect_state(NOT_CONNECT);
                             quit();
                         }));
    QTimer::singleShot(DISCONNECT_WAIT_MS, this, [this] {
        controller_->setConnect_state(NOT_CONNECT);
        quit();
    });
}

void CliSession::fail(const QString& reason, int code) {
    if (finishing_)
        return;
    Console::err(reason);
    finish(code);
}

void CliSession::quit() {
    if (quit_)
        return;
    quit_ = true;
    quitWhenIdle(HTTP_IDLE_ATTEMPTS);
}

void CliSession::quitWhenIdle(int attemptsLeft) {
    // The controller goes with the session; its catalogue readers must not be parsing.
    if (http_->pending() > 0 && attemptsLeft > 0) {
        QTimer::singleShot(HTTP_IDLE_POLL_MS, this, [this, attemptsLeft] { quitWhenIdle(attemptsLeft - 1); });
        return;
    }
    emit finished(code_);
}

} // namespace kelvara
