#pragma once

#include <QString>
#include <QStringList>

#include <mutex>

namespace kelvara::test {

// Collects the program's diagnostic lines while alive instead of printing them.
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
    mutable std::mutex mutex_;
    QStringList lines_;
};

} // namespace kelvara::test
