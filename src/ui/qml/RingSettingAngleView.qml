import QtQuick

// The ring's turn over the whole focus range; it is set in the response popup, as it
// applies to the linear response only.
SettingRow {
    key: "Angle"
    iconName: "icon_menu_ring_unselected"
    label: qsTrId("Home_RingAngleSetting")
    value: root.revision >= 0 ? vm.ringAngleText() : ""
    onChange: vm.popup.openPopup(3, -1)
}
