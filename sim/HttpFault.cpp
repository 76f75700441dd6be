#include "HttpFault.h"

#include <array>
#include <utility>

namespace kelvara::sim {

namespace {
constexpr std::array<std::pair<HttpFault::Kind, const char*>, 7> kNames{{
    {HttpFault::None, "none"},
    {HttpFault::NotFound, "404"},
    {HttpFault::ServerError, "500"},
    {HttpFault::Slow, "slow"},
    {HttpFault::Truncated, "truncate"},
    {HttpFault::Oversized, "oversize"},
    {HttpFault::Malformed, "malformed"},
}};
} // namespace

QString HttpFault::name(Kind kind) {
    for (const auto& [k, text] : kNames) {
        if (k == kind)
            return QString::fromLatin1(text);
    }
    return {};
}

std::optional<HttpFault::Kind> HttpFault::kindNamed(const QString& name) {
    for (const auto& [k, text] : kNames) {
        if (name == QLatin1String(text))
            return k;
    }
    return std::nullopt;
}

} // namespace kelvara::sim
