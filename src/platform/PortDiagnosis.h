#pragma once

#include "PortProblem.h"

#include <QList>
#include <QString>

#include <cstdint>
#include <optional>

namespace kelvara {

// What the system says about one serial port path: the device node, who may open it,
// who has it open, the USB device behind it and whether our udev rule is installed.
// Pure Linux calls; reads /proc and /sys, and opens the port for a moment.
class PortDiagnosis {
  public:
    struct Holder {
        qint64 pid = 0;
        QString name;
        friend bool operator==(const Holder&, const Holder&) = default;
    };

    static constexpr const char* UDEV_RULE = "70-kelvara-lens-dock.rules";

    // adapterVendorId 0 accepts any USB vendor.
    static PortDiagnosis examine(const QString& path, std::uint16_t adapterVendorId = 0);
    // Where the udev rule is installed; empty when it is not.
    static QString installedUdevRule();

    QString path;
    bool exists = false;
    QString owner;
    QString group;
    QString mode; // octal, e.g. "0660"
    bool accessible = false;
    int openError = 0;                // errno of the trial open; 0 when it opened
    QList<Holder> heldBy;             // other processes with the device open
    bool someProcessesHidden = false; // /proc did not show every process's files
    std::optional<std::uint16_t> vendorId;
    std::optional<std::uint16_t> productId;
    int latencyTimer = -1; // milliseconds; -1 when the driver has none
    QString udevRule;
    std::uint16_t adapterVendorId = 0;

    QList<PortProblem> problems() const;
};

} // namespace kelvara
