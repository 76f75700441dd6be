import QtQuick
import Kelvara.LensUtility

// The popup of the setting being changed, over a dimmed window that takes no input.
Item {
    id: host
    objectName: "popupHost"
    visible: AppViewModel.popup.show_popup
    Rectangle { anchors.fill: parent; color: Theme.scrim }
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
            switch (AppViewModel.popup.popup_id) {
            case PopupId.FunctionSelect: return "FunctionPopup.qml"
            case PopupId.RingDirection: return "RingDirectionPopup.qml"
            case PopupId.RingResponse: return "RingResponsePopup.qml"
            case PopupId.AdjustmentPinto: return "AdjustmentPopup.qml"
            default: return ""
            }
        }
    }
}
