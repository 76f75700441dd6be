#include "PackageCipher.h"

#include <QRegularExpression>

namespace kelvara::sim {

std::optional<PackageCipher> PackageCipher::forKeyText(const QString& keyText) {
    static const QRegularExpression hex(QStringLiteral("^[0-9A-Fa-f]{64}$"));
    if (!hex.match(keyText).hasMatch())
        return std::nullopt;
    const QByteArray phrase("PackageStreamStartKey");
    QByteArray key = QByteArray::fromHex(keyText.toLatin1());
    for (int i = 0; i < kKeyLength; ++i)
        key[i] = char(quint8(key.at(i)) ^ quint8(phrase.at(i % phrase.size())));
    return PackageCipher(key);
}

void PackageCipher::apply(QByteArray& bytes) {
    char* data = bytes.data();
    for (qsizetype i = 0; i < bytes.size(); ++i, ++position_)
        data[i] = char(quint8(data[i]) ^ quint8(key_.at(position_ % kKeyLength)));
}

} // namespace kelvara::sim
