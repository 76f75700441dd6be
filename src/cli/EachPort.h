#pragma once

#include "CliCommand.h"
#include "CliSession.h"

#include <QJsonArray>
#include <QObject>
#include <QStringList>

#include <memory>
#include <optional>

namespace kelvara {

class HttpClient;
class Startup;

// Runs a command on each of several docks in turn, one session per lens: human output
// headed by the lens's port, JSON output as one list of the lenses' documents, each with
// its port. One question covers all the lenses; a failure names its port and does not stop
// the others. Without ports the command runs once on the link the start-up built, as a
// single lens. Main thread only.
class EachPort : public QObject {
    Q_OBJECT
  public:
    EachPort(Startup& startup, QStringList ports, CliSession::Answer answer, bool json,
             CliCommand::Run run, QObject* parent = nullptr);
    ~EachPort() override;

    void start();
    // A signal asking the program to stop: the lens at work ends as a single one would,
    // and the others are not started.
    void stop(int signal);

  signals:
    // 0 when every lens succeeded, 3 when the question was answered no, the stop's status
    // when the program was asked to stop before the last lens, 1 otherwise.
    void finished(int code);

  private:
    void next();
    void lensEnded(int code);
    void end();

    Startup& startup_;
    const QStringList ports_;
    CliSession::Answer answer_;
    const bool json_;
    const CliCommand::Run run_;
    // The program's own client: each session counts its requests around it afresh.
    std::shared_ptr<HttpClient> http_;
    std::unique_ptr<CliSession> session_;
    int index_ = -1;
    QStringList failed_;
    QJsonArray documents_;
    std::optional<int> stopSignal_;
    std::optional<int> code_; // ends the round before the last lens
};

} // namespace kelvara
