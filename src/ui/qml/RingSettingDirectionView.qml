import QtQuick
import Kelvara.LensUtility

// Which way the focus ring turns to focus farther away.
SettingRow {
    key: "Direction"
    iconName: "icon_menu_ring_unselected"
    label: qsTrId("Home_RingDirectionSetting")
    value: AppViewModel.live.ringDirectionText()
    onChange: AppViewModel.popup.openPopup(PopupId.RingDirection, -1)
}
