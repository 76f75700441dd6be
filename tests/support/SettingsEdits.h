#pragma once

#include "link/Bytes.h"

#include <QList>
#include <QPair>

#include <algorithm>
#include <type_traits>

namespace kelvara::test {

// Byte patches at offsets, for building records and settings images in tests.
using Patch = QList<QPair<int, Bytes>>;

inline Bytes patched(std::size_t size, const Patch& patches) {
    Bytes b(size, 0);
    for (const auto& [offset, bytes] : patches)
        std::copy(bytes.begin(), bytes.end(), b.begin() + offset);
    return b;
}

// The data bytes of a frame as written on the wire.
inline Bytes dataOf(const Bytes& frame) {
    return Bytes(frame.begin() + 7, frame.end() - 3);
}

// A copy of list with one slot changed.
template <typename T> QList<T> with(QList<T> list, int slot, std::type_identity_t<T> value) {
    list[slot] = value;
    return list;
}

inline QList<QList<int>> withRow(QList<QList<int>> rows, int row, int nearIndex, int farIndex) {
    rows[row] = {nearIndex, farIndex};
    return rows;
}

} // namespace kelvara::test
