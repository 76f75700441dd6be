#pragma once

#include "platform/Diagnostics.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <mutex>

namespace kelvara {
class Environment;
}

namespace kelvara::test {

// Collects the current environment's diagnostic lines while alive instead of printing
// them; the environment's earlier sink returns afterwards.
class DiagnosticCapture {
public:
    DiagnosticCapture();
    ~DiagnosticCapture();
    DiagnosticCapture(const DiagnosticCapture&) = delete;
    DiagnosticCapture& operator=(const DiagnosticCapture&) = delete;

    QStringList lines() const;
    int count(const QString& line) const;
    void clear();

private:
    std::shared_ptr<Environment> environment_;
    Diagnostics::Sink previous_;
    mutable std::mutex mutex_;
    QStringList lines_;
};

} // namespace kelvara::test
