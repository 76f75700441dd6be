#pragma once

class QJsonValue;

namespace kelvara::sim {

// A whole number within [lo, hi] from a profile's JSON: a number, or a string such as
// "0x1F". False, leaving *out alone, for anything else.
bool integerOf(const QJsonValue& v, int lo, int hi, int* out);

} // namespace kelvara::sim
