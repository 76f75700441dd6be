#include "JsonInteger.h"

#include <QJsonValue>

#include <cmath>

namespace kelvara::sim {

bool integerOf(const QJsonValue& v, int lo, int hi, int* out) {
    double d = 0;
    if (v.isDouble()) {
        d = v.toDouble();
    } else if (v.isString()) {
        bool ok = false;
        d = v.toString().toInt(&ok, 0);
        if (!ok)
            return false;
    } else {
        return false;
    }
    if (d != std::floor(d) || d < lo || d > hi)
        return false;
    *out = int(d);
    return true;
}

} // namespace kelvara::sim
