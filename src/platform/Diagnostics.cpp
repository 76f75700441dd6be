#include "Diagnostics.h"

#include <cstdio>
#include <mutex>

namespace kelvara {

namespace {
std::mutex& sinkMutex() {
    static std::mutex m;
    return m;
}
Diagnostics::Sink& sink() {
    static Diagnostics::Sink s;
    return s;
}
} // namespace

void Diagnostics::line(const QString& text) {
    std::lock_guard lock(sinkMutex());
    if (sink()) {
        sink()(text);
        return;
    }
    const QByteArray utf8 = text.toUtf8();
    std::fwrite(utf8.constData(), 1, size_t(utf8.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void Diagnostics::setSink(Sink s) {
    std::lock_guard lock(sinkMutex());
    sink() = std::move(s);
}

} // namespace kelvara
