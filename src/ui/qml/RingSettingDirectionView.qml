import QtQuick

// Which way the focus ring turns to focus farther away.
SettingRow {
    key: "Direction"
    iconName: "icon_menu_ring_unselected"
    label: qsTrId("Home_RingDirectionSetting")
    value: root.revision >= 0 ? vm.ringDirectionText() : ""
    onChange: vm.popup.openPopup(2, -1)
}
