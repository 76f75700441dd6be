#include "DiagnosticCapture.h"

#include "platform/Environment.h"

namespace kelvara::test {

DiagnosticCapture::DiagnosticCapture()
    : environment_(Environment::current()), previous_(environment_->diagnosticSink()) {
    environment_->setDiagnosticSink([this](const QString& line) {
        std::lock_guard lock(mutex_);
        lines_.append(line);
    });
}

DiagnosticCapture::~DiagnosticCapture() {
    environment_->setDiagnosticSink(previous_);
}

QStringList DiagnosticCapture::lines() const {
    std::lock_guard lock(mutex_);
    return lines_;
}

int DiagnosticCapture::count(const QString& line) const {
    std::lock_guard lock(mutex_);
    return int(lines_.count(line));
}

void DiagnosticCapture::clear() {
    std::lock_guard lock(mutex_);
    lines_.clear();
}

} // namespace kelvara::test
