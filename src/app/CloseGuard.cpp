#include "CloseGuard.h"

#include "controller/AppViewModel.h"
#include "link/UsbSerialInterface.h"
#include "ui/MessageViewModel.h"

namespace kelvara {

namespace {

void refuse(AppViewModel& app, const char* id) {
    if (!app.message()->show_message())
        app.message()->showMessage(QString::fromLatin1(id), [] {});
}

} // namespace

bool CloseGuard::mayClose(AppViewModel& app, const UsbSerialInterface& transport) {
    if (transport.firmwareUpdating) {
        refuse(app, "Common_UpdatingCannotEnd");
        return false;
    }
    if (app.connectState() != CONNECT_COMPLETE || app.is_safemode())
        return true;
    refuse(app, "Common_AppEndError");
    return false;
}

} // namespace kelvara
