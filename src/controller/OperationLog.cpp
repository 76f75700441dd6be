#include "OperationLog.h"

#include "AppViewModel.h"
#include "model/BasicInfoViewModel.h"
#include "platform/Environment.h"
#include "platform/LogFile.h"

namespace kelvara {

namespace {

QString operationName(Operation operation) {
    switch (operation) {
    case Operation::Connect:
        return QStringLiteral("connect");
    case Operation::SettingsRead:
        return QStringLiteral("settings-read");
    case Operation::Write:
        return QStringLiteral("write");
    case Operation::CancelWriteBack:
        return QStringLiteral("cancel-write-back");
    case Operation::Reset:
        return QStringLiteral("reset");
    case Operation::Export:
        return QStringLiteral("export");
    case Operation::Import:
        return QStringLiteral("import");
    case Operation::UtilityCheck:
        return QStringLiteral("utility-check");
    case Operation::FirmwareCheck:
        return QStringLiteral("firmware-check");
    case Operation::FirmwareUpdate:
        return QStringLiteral("firmware-update");
    case Operation::SafeModeUpdate:
        return QStringLiteral("safe-mode-update");
    case Operation::FirmwareReconnect:
        return QStringLiteral("firmware-reconnect");
    case Operation::Disconnect:
        return QStringLiteral("disconnect");
    case Operation::DeleteBackup:
        return QStringLiteral("delete-backup");
    }
    return {};
}

QString resultName(Outcome::Result result) {
    switch (result) {
    case Outcome::Done:
        return QStringLiteral("done");
    case Outcome::Failed:
        return QStringLiteral("failed");
    case Outcome::Refused:
        return QStringLiteral("refused");
    case Outcome::AnsweredNo:
        return QStringLiteral("answered-no");
    }
    return {};
}

// "import failed Home_FileIllegal"
QString describe(const Outcome& outcome) {
    QStringList words{operationName(outcome.operation), resultName(outcome.result)};
    if (!outcome.textId.isEmpty())
        words << outcome.textId;
    words << outcome.args;
    return words.join(QLatin1Char(' '));
}

} // namespace

OperationLog::OperationLog(AppViewModel& controller, Environment& environment,
                           std::shared_ptr<LogFile> file)
    : environment_(environment), file_(std::move(file)) {
    file_->write(controller.app_name() + QLatin1Char(' ') + controller.version());
    environment_.setDiagnosticCopy([file = file_](const QString& line) { file->write(line); });
    const BasicInfoViewModel* info = controller.basic_info();
    connect(info, &BasicInfoViewModel::recordDecoded, this, [this, info] {
        file_->write(QStringLiteral("lens %1, firmware %2")
                         .arg(info->modelName(), info->displayCurrentVersion()));
    });
    connect(&controller, &AppViewModel::operationFinished, this,
            [this](const Outcome& outcome) { file_->write(describe(outcome)); });
}

OperationLog::~OperationLog() {
    environment_.setDiagnosticCopy({});
}

} // namespace kelvara
