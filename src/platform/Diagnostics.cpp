#include "Diagnostics.h"

#include "Environment.h"

#include <cstdio>
#include <mutex>

namespace kelvara {

namespace {
// Lines from several threads never interleave.
std::mutex lineMutex;
} // namespace

void Diagnostics::line(const QString& text) {
    const Sink sink = Environment::current()->diagnosticSink();
    std::lock_guard lock(lineMutex);
    if (sink) {
        sink(text);
        return;
    }
    const QByteArray utf8 = text.toUtf8();
    std::fwrite(utf8.constData(), 1, size_t(utf8.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

} // namespace kelvara
