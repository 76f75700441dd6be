#include "EachPort.h"

#include "CliText.h"
#include "Console.h"
#include "StopSignals.h"

#include "Startup.h"
#include "platform/Environment.h"
#include "platform/HttpClient.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QTimer>

namespace kelvara {

namespace {
constexpr int ANSWERED_NO = 3;

// A port's name in file names: its file name, or its whole path when another port of the
// round has the same file name.
QString portName(const QStringList& ports, const QString& port) {
    const QString name = QFileInfo(port).fileName();
    for (const QString& other : ports)
        if (other != port && QFileInfo(other).fileName() == name)
            return QDir::cleanPath(QFileInfo(port).absoluteFilePath())
                .mid(1)
                .replace(QLatin1Char('/'), QLatin1Char('_'));
    return name;
}
} // namespace

EachPort::EachPort(Startup& startup, QStringList ports, CliSession::Answer answer, bool json,
                   CliCommand::Run run, QObject* parent)
    : QObject(parent), startup_(startup), ports_(std::move(ports)), answer_(answer), json_(json),
      run_(std::move(run)), http_(HttpClient::shared()) {}

EachPort::~EachPort() = default;

void EachPort::start() {
    next();
}

void EachPort::stop(int signal) {
    stopSignal_ = signal;
    if (session_)
        session_->stop(signal);
}

void EachPort::next() {
    ++index_;
    if (code_ || index_ >= std::max<qsizetype>(1, ports_.size())) {
        end();
        return;
    }
    if (!ports_.isEmpty()) {
        startup_.usePort(ports_.at(index_));
        // The next session wraps the program's client, not the last session's.
        startup_.environment().setHttpClient(http_);
    }
    session_ = std::make_unique<CliSession>(answer_);
    if (!ports_.isEmpty()) {
        const QString& port = ports_.at(index_);
        session_->setPort(port, portName(ports_, port), int(ports_.size()));
        if (json_) {
            session_->collectJson([this, port](const QJsonObject& document) {
                QJsonObject withPort = document;
                withPort.insert(QStringLiteral("port"), port);
                documents_.append(withPort);
            });
        } else {
            if (index_ > 0)
                Console::out(QString());
            Console::out(port + QLatin1Char(':'));
        }
        Console::setSubject(port);
    }
    connect(session_.get(), &CliSession::finished, this, &EachPort::lensEnded,
            Qt::QueuedConnection);
    CliSession& session = *session_;
    QTimer::singleShot(0, &session, [this, &session] { run_(session); });
}

void EachPort::lensEnded(int code) {
    if (ports_.isEmpty()) {
        emit finished(code);
        return;
    }
    const bool yes = session_->answeredYes();
    session_.reset();
    Console::setSubject(QString());
    // The user's one answer covers the lenses still to come.
    if (yes)
        answer_ = CliSession::Answer::Yes;
    const bool last = index_ + 1 >= ports_.size();
    const std::optional<int> stopStatus =
        stopSignal_ ? std::optional(StopSignals::exitStatus(*stopSignal_)) : std::nullopt;
    if (code == ANSWERED_NO)
        code_ = code;
    else if (stopStatus && (code != 0 || !last))
        // A lens whose step went on to its end succeeded; the others are not started.
        code_ = code != 0 ? code : *stopStatus;
    if (code != 0 && code != ANSWERED_NO && code != stopStatus)
        failed_.append(ports_.at(index_));
    next();
}

void EachPort::end() {
    if (json_)
        Console::out(
            QString::fromUtf8(QJsonDocument(documents_).toJson(QJsonDocument::Indented)).trimmed());
    if (!failed_.isEmpty())
        Console::err(CliText::text(CliText::FailedOnPorts).arg(failed_.join(QStringLiteral(", "))));
    // A failure outweighs a no to the question that came after it; a stop outweighs both.
    int code = failed_.isEmpty() ? 0 : 1;
    if (code_ && (*code_ != ANSWERED_NO || code == 0))
        code = *code_;
    emit finished(code);
}

} // namespace kelvara
