import QtQuick

// The popup of the setting being changed, over a dimmed window that takes no input.
Item {
    id: host
    objectName: "popupHost"
    visible: vm.popup.show_popup
    Rectangle { anchors.fill: parent; color: theme.scrim }
    MouseArea {
        anchors.fill: parent
        hoverEnabled: true
        acceptedButtons: Qt.AllButtons
        onWheel: (wheel) => { wheel.accepted = true }
    }
    Loader {
        id: popupLoader
        objectName: "popup"
        anchors.fill: parent
        active: host.visible
        focus: true
        source: {
            switch (vm.popup.popup_id) {
            case 1: return "FunctionPopup.qml"
            case 2: return "RingDirectionPopup.qml"
            case 3: return "RingResponsePopup.qml"
            case 4: return "AdjustmentPopup.qml"
            default: return ""
            }
        }
    }
}
