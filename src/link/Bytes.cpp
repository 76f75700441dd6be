#include "Bytes.h"

namespace kelvara {

QString hexLine(const Bytes& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    QString text;
    text.reserve(qsizetype(bytes.size()) * 3);
    for (std::uint8_t b : bytes) {
        text.append(QLatin1Char(digits[b >> 4]));
        text.append(QLatin1Char(digits[b & 0x0F]));
        text.append(QLatin1Char(' '));
    }
    return text;
}

Bytes toBytes(const QByteArray& bytes) {
    return Bytes(bytes.begin(), bytes.end());
}

QByteArray toQByteArray(const Bytes& bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

} // namespace kelvara
