#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace kelvara {

// Finds the lens adapter among the serial devices by the USB ids of its nearest USB
// parent. An explicit port path replaces discovery (virtual lens, unusual adapters).
class UsbSerialPortList {
public:
    // From the build setting, overridden by KELVARA_ADAPTER_VID (hex "0x1234" or decimal).
    static std::uint16_t configuredVendorId();
    // From KELVARA_PORT; empty when unset.
    static QString configuredPort();

    explicit UsbSerialPortList(std::uint16_t vendorId = configuredVendorId(),
                               QString explicitPort = configuredPort());

    std::vector<int> usbVendor;
    std::vector<int> usbProduct;

    QStringList findAdapterPorts() const;
    void setExplicitPort(const QString& path) { explicitPort_ = path; }
    QString explicitPort() const { return explicitPort_; }

private:
    QString explicitPort_;
};

} // namespace kelvara
