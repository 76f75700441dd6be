pragma Singleton
import QtQuick
import Kelvara.LensUtility

// What the connected lens offers, as the pages ask it. The answers are read through the
// controller's `live` by the binding that calls them, so that binding follows the lens
// and its settings.
QtObject {
    id: lens
    readonly property bool connected: AppViewModel.connect_state === ConnectState.CONNECT_COMPLETE

    function supports(bit: int): bool { return AppViewModel.live.basic_info.isSettingSupported(bit) }
    function afAdjustable(): bool { return AppViewModel.live.basic_info.isAFCustomizeVisible() }
    // Connected, with something to customise.
    function customising(): bool {
        return lens.connected && (lens.supports(1) || lens.supports(0) || lens.supports(2)
            || lens.supports(3) || lens.supports(4) || lens.supports(5) || lens.afAdjustable())
    }
}
