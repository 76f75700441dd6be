#include "UtilityVersion.h"

#include <algorithm>

namespace kelvara {

namespace {

// One or two hexadecimal digits.
bool isPart(QStringView part) {
    return (part.size() == 1 || part.size() == 2) &&
           std::all_of(part.begin(), part.end(), [](QChar c) {
               return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') ||
                      (c >= u'A' && c <= u'F');
           });
}

} // namespace

// Read by hand rather than with a regular expression: this runs at every start, and the
// expression engine would be started for this one line.
UtilityVersion UtilityVersion::parse(const QString& text) {
    QStringView body = text;
    // As "$" in a pattern would, one line end after the number is let through.
    if (body.endsWith(u'\n'))
        body.chop(1);
    const qsizetype point = body.indexOf(u'.');
    if (point < 0 || !isPart(body.left(point)) || !isPart(body.mid(point + 1)))
        return {};
    UtilityVersion v;
    v.major = body.left(point).toInt(nullptr, 16);
    v.minor = body.mid(point + 1).toInt(nullptr, 16);
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
