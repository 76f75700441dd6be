import QtQuick

// How the focus follows the ring: by speed or by angle.
SettingRow {
    key: "Response"
    iconName: "icon_menu_ring_unselected"
    label: qsTrId("Home_RingResponseSetting")
    value: root.revision >= 0 ? vm.ringResponseText() : ""
    onChange: vm.popup.openPopup(3, -1)
}
