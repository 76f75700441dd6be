#include "FuzzInput.h"

#include <algorithm>

namespace kelvara::fuzz {

QByteArray FuzzInput::take(std::size_t n) {
    n = std::min(n, size_ - std::min(pos_, size_));
    QByteArray bytes(reinterpret_cast<const char*>(data_ + pos_), qsizetype(n));
    pos_ += n;
    return bytes;
}

} // namespace kelvara::fuzz
