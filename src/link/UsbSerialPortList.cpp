#include "UsbSerialPortList.h"

#include <QSerialPortInfo>

namespace kelvara {

#ifndef KELVARA_ADAPTER_VID
#define KELVARA_ADAPTER_VID 0x2F1A
#endif

std::uint16_t UsbSerialPortList::configuredVendorId() {
    const QByteArray text = qgetenv("KELVARA_ADAPTER_VID").trimmed();
    if (!text.isEmpty()) {
        bool ok = false;
        const uint value = text.toUInt(&ok, 0);
        if (ok && value <= 0xFFFF)
            return std::uint16_t(value);
    }
    return KELVARA_ADAPTER_VID;
}

QString UsbSerialPortList::configuredPort() {
    return QString::fromLocal8Bit(qgetenv("KELVARA_PORT"));
}

UsbSerialPortList::UsbSerialPortList(std::uint16_t vendorId, QString explicitPort)
    : usbVendor{vendorId, vendorId}, usbProduct{0x0002, 0x0005},
      explicitPort_(std::move(explicitPort)) {}

QStringList UsbSerialPortList::findAdapterPorts() const {
    if (!explicitPort_.isEmpty())
        return {explicitPort_};
    QStringList paths;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        if (!info.hasVendorIdentifier() || !info.hasProductIdentifier())
            continue;
        for (std::size_t i = 0; i < usbVendor.size(); ++i) {
            if (info.vendorIdentifier() == usbVendor[i] &&
                info.productIdentifier() == usbProduct[i]) {
                paths.append(info.systemLocation());
                break;
            }
        }
    }
    return paths;
}

} // namespace kelvara
