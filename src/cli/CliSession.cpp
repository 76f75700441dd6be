#include "CliSession.h"

#include "CliText.h"
#include "Console.h"
#include "NoServer.h"
#include "StopSignals.h"
#include "TrackedHttpClient.h"

#include "controller/AppViewModel.h"
#include "link/LensClient.h"
#include "platform/Environment.h"
#include "platform/HttpClient.h"
#include "platform/Texts.h"
#include "ui/MessageViewModel.h"

#include <QJsonDocument>
#include <QPointer>

#include <algorithm>
#include <cmath>

namespace kelvara {

namespace {
// Bounds on the way out: the lens's answer to the disconnect request, and catalogue
// answers still being parsed by readers that go with the controller.
constexpr int DISCONNECT_WAIT_MS = 2000;
constexpr int HTTP_IDLE_WAIT_MS = 3000;
} // namespace

CliSession::CliSession(Answer answer, QObject* parent)
    : QObject(parent), answer_(answer),
      http_(std::make_shared<TrackedHttpClient>(HttpClient::shared())) {
    Environment::current()->setHttpClient(http_);
    watchdog_.setSingleShot(true);
    connect(&watchdog_, &QTimer::timeout, this,
            [this] { fail(CliText::text(CliText::Timeout)); });
}

CliSession::~CliSession() = default;

void CliSession::stayOffline() {
    http_ = std::make_shared<TrackedHttpClient>(std::make_shared<NoServer>());
    Environment::current()->setHttpClient(http_);
}

AppViewModel& CliSession::controller() {
    if (controller_)
        return *controller_;
    controller_ = std::make_unique<AppViewModel>();
    AppViewModel* c = controller_.get();
    c->setFileDialogs(&fileDialogs_);
    // A connected lens holds sleep off until it was told; a transfer blocks it.
    c->followSleep(sleep_);
    sleep_.listen();
    connect(c->message(), &MessageViewModel::changed, this, &CliSession::onMessageChanged);
    connect(c, &AppViewModel::operationFinished, this, &CliSession::onOutcome);
    connect(c, &AppViewModel::backupTaken, this, [this](const QString& path) { backup_ = path; });
    connect(c, &AppViewModel::download_progressChanged, this, [this] {
        const float progress = controller_->download_progress();
        if (progress > 0 && !progressClock_.isValid()) {
            progressClock_.start();
            progressAtClock_ = progress;
        }
    });
    connect(c, &AppViewModel::auto_connectingChanged, this, [this] {
        // A lens that restarts by itself is waited for by the window; a command cannot.
        if (controller_->isAutoConnecting())
            fail(CliText::text(CliText::LensRemoved));
    });
    return *c;
}

void CliSession::connectLens(std::function<void()> ready, std::function<void()> safeMode) {
    if (LensClient::portList().findAdapterPorts().isEmpty()) {
        fail(CliText::text(CliText::NoAdapter));
        return;
    }
    expect(Operation::Connect, [this, ready = std::move(ready),
                                safeMode = std::move(safeMode)](const Outcome& outcome) {
        if (!outcome.done())
            end(outcome);
        else if (!controller_->is_safemode())
            ready();
        else if (safeMode)
            safeMode();
        else
            // Answering its messages would start a firmware transfer.
            fail(CliText::text(CliText::SafeMode));
    });
    controller().connectLens(true);
}

void CliSession::expect(Operation operation, OutcomeHandler handler) {
    waiting_[operation] = std::move(handler);
}

void CliSession::endOn(Operation operation) {
    expect(operation, [this](const Outcome& outcome) { end(outcome); });
}

void CliSession::run(Operation operation, const std::function<void()>& start) {
    endOn(operation);
    start();
}

void CliSession::whenFirmwareChecked(int ms, std::function<void(std::optional<Outcome>)> done) {
    if (firmwareCheck_) {
        done(firmwareCheck_);
        return;
    }
    auto pending = std::make_shared<std::function<void(std::optional<Outcome>)>>(std::move(done));
    auto* timer = new QTimer(this);
    timer->setSingleShot(true);
    connect(timer, &QTimer::timeout, this, [this, pending, timer] {
        timer->deleteLater();
        waiting_.erase(Operation::FirmwareCheck);
        std::exchange(*pending, {})(std::nullopt);
    });
    expect(Operation::FirmwareCheck, [pending, timer](const Outcome& outcome) {
        timer->stop();
        timer->deleteLater();
        std::exchange(*pending, {})(outcome);
    });
    timer->start(ms);
}

void CliSession::onOutcome(const Outcome& outcome) {
    if (finishing_) {
        if (outcome.operation == Operation::Disconnect)
            quit();
        return;
    }
    if (outcome.operation == Operation::FirmwareCheck)
        firmwareCheck_ = outcome;
    const auto waiting = waiting_.find(outcome.operation);
    const bool check = outcome.operation == Operation::FirmwareCheck ||
                       outcome.operation == Operation::UtilityCheck;
    if (waiting != waiting_.end()) {
        const OutcomeHandler handler = std::move(waiting->second);
        waiting_.erase(waiting);
        handler(outcome);
    } else if (!check && !outcome.done()) {
        end(outcome);
    }
    // Whatever the command would do next, the user asked to stop.
    if (stopAfter_ == outcome.operation)
        finish(exitCode(outcome));
}

void CliSession::report(const Outcome& outcome) {
    if (outcome.textId.isEmpty())
        return;
    const QString line = Console::oneLine(Texts::text(outcome.textId, outcome.args));
    outcome.done() ? Console::out(line) : Console::err(line);
}

int CliSession::exitCode(const Outcome& outcome) {
    switch (outcome.result) {
    case Outcome::Done:
        return 0;
    case Outcome::AnsweredNo:
        return 3;
    case Outcome::Failed:
    case Outcome::Refused:
        break;
    }
    return 1;
}

void CliSession::end(const Outcome& outcome) {
    report(outcome);
    finish(exitCode(outcome));
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
    answering_ = false;
    MessageViewModel* box = controller_->message();
    if (finishing_ || !box->show_message())
        return;
    if (box->button_mode() != ButtonMode::YES_NO) {
        // What it says arrives with the outcome it reports.
        box->respondOk();
        return;
    }
    const bool yes = answerQuestion(box->message());
    if (watchdog_.isActive())
        watchdog_.start(); // the time spent answering is not the lens's
    yes ? box->respondYes() : box->respondNo();
}

void CliSession::setPort(const QString& port, const QString& portName, int count) {
    port_ = port;
    portName_ = portName;
    portCount_ = count;
}

void CliSession::printJson(const QJsonObject& object) {
    if (collectJson_)
        collectJson_(object);
    else
        Console::out(QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented)).trimmed());
}

void CliSession::collectJson(std::function<void(const QJsonObject&)> collect) {
    collectJson_ = std::move(collect);
}

bool CliSession::answerQuestion(const QString& question) {
    // Asked once for all the docks, so it says so.
    const QString text =
        portCount_ > 1 && answer_ == Answer::AskTerminal
            ? Console::oneLine(question) + QLatin1Char(' ') +
                  CliText::text(CliText::AnswerForAllLenses).arg(portCount_)
            : question;
    std::optional<bool> yes;
    if (answer_ == Answer::Yes)
        yes = true;
    else if (answer_ == Answer::AskTerminal && Console::stdinIsTerminal())
        yes = Console::askYesNo(text);
    answeredYes_ = answer_ == Answer::AskTerminal && yes && *yes;
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

void CliSession::finish(int code) {
    if (finishing_)
        return;
    finishing_ = true;
    code_ = code;
    watchdog_.stop();
    waiting_.clear();
    if (!controller_ || !LensClient::transport().isPortOpen()) {
        quit();
        return;
    }
    // The lens is told, as the window's removal button does, without the question.
    controller_->disconnectNow();
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

void CliSession::stop(int signal) {
    const std::optional<Operation> critical =
        controller_ ? controller_->criticalOperation() : std::nullopt;
    if (critical && !stopAfter_) {
        stopAfter_ = critical;
        Console::err(stopNotice(*critical));
    }
    if (stopAfter_)
        return;
    if (finishing_) {
        // Already on the way out, for instance from a question the signal cut short.
        code_ = StopSignals::exitStatus(signal);
        return;
    }
    finish(StopSignals::exitStatus(signal));
}

QString CliSession::stopNotice(Operation critical) const {
    if (critical != Operation::FirmwareUpdate && critical != Operation::SafeModeUpdate)
        return CliText::text(CliText::SettingsWriteGoesOn);
    // The rest at the pace so far.
    const float progress = controller_->download_progress();
    const qint64 ms = progressClock_.isValid() ? progressClock_.elapsed() : 0;
    if (ms <= 0 || progress <= progressAtClock_)
        return CliText::text(CliText::UpdateGoesOnJustStarted);
    const double rest = double(ms) * (1.0 - progress) / double(progress - progressAtClock_);
    return CliText::text(CliText::UpdateGoesOn).arg(std::max(1, int(std::ceil(rest / 1000.0))));
}

void CliSession::quit() {
    if (quit_)
        return;
    quit_ = true;
    // The controller goes with the session; its catalogue readers must not be parsing.
    QPointer<CliSession> self(this);
    const auto done = [self] {
        if (self && !std::exchange(self->ended_, true))
            emit self->finished(self->code_);
    };
    QTimer::singleShot(HTTP_IDLE_WAIT_MS, this, done);
    http_->whenIdle(done);
}

} // namespace kelvara
