#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

namespace kelvara::sim {

// Builds firmware packages as the update server publishes them: images laid end to end,
// each a 1024-byte header and its data, the whole enciphered with one running key.
class FirmwarePackage {
  public:
    static constexpr int kHeaderLength = 1024;
    static constexpr quint32 kMaxDataSize = 0x100000;

    struct Image {
        quint8 device = 0;
        quint8 area = 0;
        quint16 version = 0;
        QByteArray data;
    };

    // What goes wrong with the last image of a package.
    enum class Flaw { None, BadCrc, Truncated, OversizeDeclared };

    static QByteArray header(const Image& image, Flaw flaw = Flaw::None);
    // Not enciphered.
    static QByteArray plain(const QList<Image>& images, Flaw flaw = Flaw::None);
    // Empty when the key text is unusable.
    static QByteArray build(const QList<Image>& images, const QString& keyText,
                            Flaw flaw = Flaw::None);

    // Firmware bytes a lens recognises: the main image of device 0 and area 0 starts with
    // "KLVIMG", major, minor (the lens then reports that version); others with "KLVSUB",
    // device, area. The rest is a fixed pattern.
    static QByteArray imageData(quint8 device, quint8 area, quint8 major, quint8 minor, int size);
};

} // namespace kelvara::sim
