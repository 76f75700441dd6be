#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace kelvara::sim {

// One firmware image the lens accepted, as it arrived.
struct InstalledImage {
    quint8 device = 0;
    quint8 area = 0;
    QByteArray stream; // every accepted block, the host's leading block included
    QByteArray image;  // stream without a leading all-zero block
};

} // namespace kelvara::sim
