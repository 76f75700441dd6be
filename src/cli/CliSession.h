#pragma once

#include "CliFileDialogs.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>

namespace kelvara {

class AppViewModel;
class TrackedHttpClient;

// One run of a lens command over the application controller: connects, prints and
// answers every message the controller shows, waits for the controller's outcomes with
// bounds, and ends by disconnecting cleanly. Main thread only.
class CliSession : public QObject {
    Q_OBJECT
  public:
    // How yes/no questions are answered.
    enum class Answer { Yes, AskTerminal, No };
    // text: the message as shown; success: it reports an operation that succeeded.
    using MessageHandler = std::function<void(const QString& text, bool success)>;

    explicit CliSession(Answer answer, QObject* parent = nullptr);
    ~CliSession() override;

    // Created on first use, so commands without a lens start no catalogue request.
    AppViewModel& controller();
    CliFileDialogs& fileDialogs() { return fileDialogs_; }

    // Connects for customisation; ready runs once the record and the settings are read
    // and decoded. Any failure on the way ends the session with exit code 1.
    void connectLens(std::function<void()> ready);
    // Runs done once the settings read that the controller starts next (the re-read
    // after a reset or an import) has been decoded.
    void whenSettingsRead(std::function<void()> done);
    // Runs done(true) when the firmware check of the record read at connect has ended,
    // done(false) when it has not ended within ms.
    void waitForFirmwareCheck(int ms, std::function<void(bool ended)> done);
    // The next message, after it was printed and answered. Without a handler a failure
    // message ends the session with exit code 1.
    void onNextMessage(MessageHandler handler);
    // Ends the session if the lens does not answer within ms.
    void armWatchdog(int ms);
    // Yes from --yes or from the user on a terminal; no otherwise.
    bool answerQuestion(const QString& text);
    // A lens in safe mode is updated by the command rather than refused.
    void allowSafeMode() { safeModeAllowed_ = true; }
    // Disconnects when the port is open, then emits finished(code). Later calls do nothing.
    void finish(int code);
    // An error line on standard error, then finish(code).
    void fail(const QString& reason, int code = 1);

    bool finishing() const { return finishing_; }

  signals:
    void finished(int code);

  private:
    void onMessageChanged();
    void answerMessage();
    void watchForRemoval();
    void quit();
    void quitWhenIdle(int attemptsLeft);

    Answer answer_;
    std::shared_ptr<TrackedHttpClient> http_;
    std::unique_ptr<AppViewModel> controller_;
    CliFileDialogs fileDialogs_;
    MessageHandler nextMessage_;
    std::function<void()> settingsRead_;
    QTimer watchdog_;
    QTimer removalPoll_;
    bool answering_ = false;
    bool finishing_ = false;
    bool safeModeAllowed_ = false;
    bool quit_ = false;
    int code_ = 0;
    int basicInfoChanges_ = 0;
};

} // namespace kelvara
