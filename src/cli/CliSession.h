#pragma once

#include "CliFileDialogs.h"

#include "controller/Outcome.h"
#include "platform/SleepMonitor.h"

#include <QElapsedTimer>
#include <QJsonObject>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <map>
#include <memory>
#include <optional>

namespace kelvara {

class AppViewModel;
class TrackedHttpClient;

// One run of a lens command over the application controller. It answers the controller's
// questions, leaves every other message to the outcome that follows it, hands each
// operation's outcome to whoever waits for it, and ends by disconnecting cleanly.
// Main thread only.
class CliSession : public QObject {
    Q_OBJECT
  public:
    // How yes/no questions are answered.
    enum class Answer { Yes, AskTerminal, No };
    using OutcomeHandler = std::function<void(const Outcome&)>;

    explicit CliSession(Answer answer, QObject* parent = nullptr);
    ~CliSession() override;

    // Created on first use, so commands without a lens start no catalogue request.
    AppViewModel& controller();
    // For a command that reads files only, before controller(): the controller's requests
    // fail at once instead of asking the update server.
    void stayOffline();
    CliFileDialogs& fileDialogs() { return fileDialogs_; }

    // Connects for customisation; ready runs once the record and the settings are read.
    // A lens that asks for firmware runs safeMode instead, or ends the session when there
    // is none. A failure on the way ends the session.
    void connectLens(std::function<void()> ready, std::function<void()> safeMode = {});
    // The next end of operation goes to handler. An outcome nobody waits for ends the
    // session when it is a failure; a firmware check's is kept for firmwareCheck().
    void expect(Operation operation, OutcomeHandler handler);
    // The session ends as the operation's next outcome says.
    void endOn(Operation operation);
    // Starts an operation with start, then ends the session as its outcome says.
    void run(Operation operation, const std::function<void()>& start);
    // The outcome of the firmware check of the lens connected last, once it has ended;
    // done runs with none when it has not ended within ms.
    void whenFirmwareChecked(int ms, std::function<void(std::optional<Outcome>)> done);
    // A backup was attempted during the session (its path, empty when it failed).
    std::optional<QString> backup() const { return backup_; }

    // The port of this session's lens when the command works on several docks in turn,
    // of which there are count, and its name in file names; empty and 1 otherwise.
    void setPort(const QString& port, const QString& portName, int count);
    QString port() const { return port_; }
    QString portName() const { return portName_; }
    // The command's JSON document: printed, or handed to collect when one was set.
    void printJson(const QJsonObject& object);
    void collectJson(std::function<void(const QJsonObject&)> collect);
    // A question was answered yes on the terminal.
    bool answeredYes() const { return answeredYes_; }

    // Ends the session if the lens does not answer within ms.
    void armWatchdog(int ms);
    // Yes from --yes or from the user on a terminal; no otherwise.
    bool answerQuestion(const QString& text);
    // The outcome's message, if any: done on standard output, anything else on standard
    // error.
    static void report(const Outcome& outcome);
    // 0 done, 3 answered no, 1 otherwise.
    static int exitCode(const Outcome& outcome);
    // Reports the outcome and finishes with its exit code.
    void end(const Outcome& outcome);
    // Disconnects when the port is open, then emits finished(code). Later calls do nothing.
    void finish(int code);
    // An error line on standard error, then finish(code).
    void fail(const QString& reason, int code = 1);
    // A signal asking the program to stop: finishes with the status a shell expects, unless
    // a step runs that stopping would leave half done. Then it says so once, and the session
    // ends with the status of that operation when it ends.
    void stop(int signal);

  signals:
    void finished(int code);

  private:
    void onOutcome(const Outcome& outcome);
    // Why a stop waits, and about how long.
    QString stopNotice(Operation critical) const;
    void onMessageChanged();
    void answerMessage();
    void quit();

    Answer answer_;
    std::shared_ptr<TrackedHttpClient> http_;
    // Without a system bus the computer's sleep goes unnoticed; nothing else changes.
    SleepMonitor sleep_;
    std::unique_ptr<AppViewModel> controller_;
    CliFileDialogs fileDialogs_;
    std::map<Operation, OutcomeHandler> waiting_;
    std::optional<Outcome> firmwareCheck_;
    std::optional<QString> backup_;
    std::optional<Operation> stopAfter_;
    // Since the first progress of a transfer, and the progress then.
    QElapsedTimer progressClock_;
    float progressAtClock_ = 0;
    QTimer watchdog_;
    QString port_;
    QString portName_;
    int portCount_ = 1;
    std::function<void(const QJsonObject&)> collectJson_;
    bool answeredYes_ = false;
    bool answering_ = false;
    bool finishing_ = false;
    bool quit_ = false;
    bool ended_ = false;
    int code_ = 0;
};

} // namespace kelvara
