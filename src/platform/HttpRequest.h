#pragma once

#include <QUrl>
#include <QtGlobal>

namespace kelvara {

// One GET. The time-out is one of inactivity: it restarts whenever data arrives.
struct HttpRequest {
    static constexpr qint64 catalogueCap = qint64(1) << 20;
    static constexpr qint64 packageCap = qint64(64) << 20;
    static constexpr double defaultTimeout = 60.0;

    QUrl url;
    double timeoutSeconds = defaultTimeout;
    qint64 maxBytes = catalogueCap; // a longer body fails the request
};

} // namespace kelvara
