import QtQuick
import Kelvara.LensUtility

// The ring's turn over the whole focus range; it is set in the response popup, as it
// applies to the linear response only.
SettingRow {
    key: "Angle"
    iconName: "icon_menu_ring_unselected"
    label: qsTrId("Home_RingAngleSetting")
    value: AppViewModel.live.ringAngleText()
    onChange: AppViewModel.popup.openPopup(PopupId.RingResponse, -1)
}
