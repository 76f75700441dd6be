#include "FirmwarePackage.h"

#include "Crc16.h"
#include "PackageCipher.h"

namespace kelvara::sim {

namespace {
void putLe32(QByteArray& b, int at, quint32 v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((v >> (8 * i)) & 0xFF);
}
} // namespace

QByteArray FirmwarePackage::header(const Image& image, Flaw flaw) {
    QByteArray h(kHeaderLength, char(0));
    // Bytes the reader skips carry a name and filler, as a real header would.
    h.replace(0, 16, QByteArray("KELVARA-FW-PKG\0\0", 16));
    for (int i = 74; i < kHeaderLength; ++i)
        h[i] = char((i * 7 + 3) & 0xFF);
    const quint32 size =
        flaw == Flaw::OversizeDeclared ? kMaxDataSize + 1 : quint32(image.data.size());
    putLe32(h, 64, size);
    h[68] = char(image.version & 0xFF);
    h[69] = char(image.version >> 8);
    quint16 crc = Crc16::xmodem(image.data);
    if (flaw == Flaw::BadCrc)
        crc ^= 0x0100;
    h[70] = char(crc & 0xFF);
    h[71] = char(crc >> 8);
    h[72] = char(image.device);
    h[73] = char(image.area);
    return h;
}

QByteArray FirmwarePackage::plain(const QList<Image>& images, Flaw flaw) {
    QByteArray out;
    for (qsizetype i = 0; i < images.size(); ++i) {
        const bool last = i + 1 == images.size();
        out += header(images.at(i), last ? flaw : Flaw::None);
        out += images.at(i).data;
    }
    if (flaw == Flaw::Truncated && !images.isEmpty())
        out.chop(qMin<qsizetype>(out.size(), qMax<qsizetype>(1, images.last().data.size() / 2)));
    return out;
}

QByteArray FirmwarePackage::build(const QList<Image>& images, const QString& keyText, Flaw flaw) {
    std::optional<PackageCipher> cipher = PackageCipher::forKeyText(keyText);
    if (!cipher)
        return {};
    QByteArray out = plain(images, flaw);
    cipher->apply(out);
    return out;
}

QByteArray FirmwarePackage::imageData(quint8 device, quint8 area, quint8 major, quint8 minor,
                                      int size) {
    QByteArray data(qMax(0, size), char(0));
    for (int i = 0; i < data.size(); ++i)
        data[i] = char((i * 131 + device * 17 + area * 29 + (i >> 8)) & 0xFF);
    const QByteArray tag = device == 0 && area == 0
                               ? QByteArray("KLVIMG") + char(major) + char(minor)
                               : QByteArray("KLVSUB") + char(device) + char(area);
    data.replace(0, qMin(data.size(), tag.size()), tag.left(data.size()));
    return data;
}

} // namespace kelvara::sim
