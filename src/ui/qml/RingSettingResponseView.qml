import QtQuick
import Kelvara.LensUtility

// How the focus follows the ring: by speed or by angle.
SettingRow {
    key: "Response"
    iconName: "icon_menu_ring_unselected"
    label: qsTrId("Home_RingResponseSetting")
    value: AppViewModel.live.ringResponseText()
    onChange: AppViewModel.popup.openPopup(PopupId.RingResponse, -1)
}
