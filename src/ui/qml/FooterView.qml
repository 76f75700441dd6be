import QtQuick
import QtQuick.Controls
import QtQuick.Layouts

// One line for the latest problem, or nothing.
Rectangle {
    implicitHeight: vm.footer_message === "" ? 0 : Math.max(32, footerText.implicitHeight + theme.unit)
    visible: vm.footer_message !== ""
    color: theme.surface
    Rectangle { width: parent.width; height: 1; color: theme.border }
    RowLayout {
        anchors.fill: parent
        anchors.leftMargin: theme.margin
        anchors.rightMargin: theme.margin
        spacing: theme.unit
        WarningBadge { tint: theme.error }
        Label {
            id: footerText
            objectName: "footerMessage"
            Layout.fillWidth: true
            text: vm.footer_message
            color: theme.text
            wrapMode: Text.WordWrap
        }
    }
}
