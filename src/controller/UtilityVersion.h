#pragma once

#include <QString>

namespace kelvara {

// A version of the form "1.0A": one or two hexadecimal digits, a point, one or two.
struct UtilityVersion {
    QString display = QStringLiteral("--");
    int major = -1;
    int minor = -1;

    static UtilityVersion parse(const QString& text);
    // A server version that does not parse is never newer; an own version that does
    // not parse makes every parsed server version newer.
    static bool isNewer(const UtilityVersion& server, const UtilityVersion& own);
};

} // namespace kelvara
