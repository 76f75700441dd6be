#pragma once

#include "link/Bytes.h"

#include <QString>

#include <optional>

namespace kelvara {

// One piece of key material of the package decoder.
struct KeyInfo {
    std::optional<QString> passPhrase;
    std::optional<Bytes> key;
};

} // namespace kelvara
