#include "UtilityVersion.h"

#include <QRegularExpression>

namespace kelvara {

UtilityVersion UtilityVersion::parse(const QString& text) {
    static const QRegularExpression pattern(
        QStringLiteral("^[0-9A-Fa-f][0-9A-Fa-f]?[.][0-9A-Fa-f][0-9A-Fa-f]?$"));
    if (!pattern.match(text).hasMatch())
        return {};
    const QStringList parts = text.split(QLatin1Char('.'));
    UtilityVersion v;
    v.major = parts[0].toInt(nullptr, 16);
    v.minor = parts[1].toInt(nullptr, 16);
    v.display = QStringLiteral("%1.%2")
                    .arg(v.major, 2, 16, QLatin1Char('0'))
                    .arg(v.minor, 2, 16, QLatin1Char('0'))
                    .toUpper();
    return v;
}

bool UtilityVersion::isNewer(const UtilityVersion& server, const UtilityVersion& own) {
    return own.major < server.major || (own.major == server.major && own.minor < server.minor);
}

} // namespace kelvara
