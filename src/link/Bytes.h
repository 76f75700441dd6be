#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

namespace kelvara {

using Bytes = std::vector<std::uint8_t>;

// "0F 01 00 " ...: two upper-case hex digits per byte, each followed by a blank.
QString hexLine(const Bytes& bytes);

Bytes toBytes(const QByteArray& bytes);
QByteArray toQByteArray(const Bytes& bytes);

} // namespace kelvara
