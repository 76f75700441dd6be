#pragma once

#include <QString>

#include <optional>

namespace kelvara::sim {

// How the update server misbehaves on one path. Plain value; the owner guards it.
class HttpFault {
  public:
    static constexpr int kForever = -1;

    enum Kind { None, NotFound, ServerError, Slow, Truncated, Oversized, Malformed };

    Kind kind = None;
    int delayMs = 0;          // Slow only
    int remaining = kForever; // answers left to spoil; kForever until cleared

    static QString name(Kind kind);
    static std::optional<Kind> kindNamed(const QString& name);
};

} // namespace kelvara::sim
