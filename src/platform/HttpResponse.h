#pragma once

#include <QByteArray>
#include <QString>

namespace kelvara {

// What one GET produced. `received` is false when no HTTP response arrived at all
// (transport error, time-out, size cap, unreadable file); `status` is then 0.
struct HttpResponse {
    bool received = false;
    int status = 0;
    QByteArray body;
    QString error; // empty when the transfer itself went well
    bool tooLarge = false; // not received because the body passed the request's size cap
    bool insecure = false; // not received because no trusted TLS connection was made
};

} // namespace kelvara
