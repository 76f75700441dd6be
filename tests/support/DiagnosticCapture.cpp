#include "DiagnosticCapture.h"

#include "platform/Diagnostics.h"

namespace kelvara::test {

DiagnosticCapture::DiagnosticCapture() {
    Diagnostics::setSink([this](const QString& line) {
        std::lock_guard lock(mutex_);
        lines_.append(line);
    });
}

DiagnosticCapture::~DiagnosticCapture() {
    Diagnostics::setSink({});
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
