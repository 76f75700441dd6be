#include "PortProblem.h"

#include <QCoreApplication>

namespace kelvara {

QString PortProblem::text() const {
    switch (kind) {
    case NoSuchDevice:
        return qtTrId("Port_NoSuchDevice").arg(path);
    case PermissionDenied:
        return qtTrId("Port_PermissionDenied").arg(path, owner, group, mode);
    case Busy:
        return qtTrId("Port_Busy")
            .arg(path, holders.isEmpty() ? qtTrId("Port_UnknownProgram")
                                         : holders.join(QStringLiteral(", ")));
    case NotAdapter:
        return qtTrId("Port_NotAdapter").arg(path, vendorId, productId);
    }
    return {};
}

QString PortProblem::fix() const {
    switch (kind) {
    case NoSuchDevice:
        return qtTrId("Port_FixConnectDock");
    case PermissionDenied:
        return ruleInstalled ? qtTrId("Port_FixJoinGroup").arg(group)
                             : qtTrId("Port_FixInstallRule");
    case Busy:
        return modemManager ? qtTrId("Port_FixModemManager") : qtTrId("Port_FixCloseProgram");
    case NotAdapter:
        return qtTrId("Port_FixChoosePort");
    }
    return {};
}

const char* PortProblem::messageId() const {
    switch (kind) {
    case NoSuchDevice:
        return "Connect_PortMissing";
    case PermissionDenied:
        return ruleInstalled ? "Connect_PortPermissionGroup" : "Connect_PortPermission";
    case Busy:
        return modemManager ? "Connect_PortModemManager" : "Connect_PortBusy";
    case NotAdapter:
        break;
    }
    return "Connect_LensConnectError";
}

} // namespace kelvara
