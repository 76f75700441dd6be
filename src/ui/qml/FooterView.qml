import QtQuick
import QtQuick.Controls
import QtQuick.Layouts

// The latest problem in one line, or nothing at all.
Rectangle {
    readonly property bool hasMessage: vm.footer_message !== ""
    implicitHeight: hasMessage ? Math.max(36, footerText.implicitHeight + theme.unit * 2) : 0
    visible: hasMessage
    color: theme.surface
    Accessible.role: Accessible.AlertMessage
    Accessible.name: vm.footer_message
    Rectangle { width: parent.width; height: 1; color: theme.border }
    RowLayout {
        anchors.fill: parent
        anchors.leftMargin: theme.margin
        anchors.rightMargin: theme.margin
        spacing: theme.unit
        Icon {
            objectName: "footerIcon"
            name: "icon_error"
            size: 20
            color: theme.error
        }
        Label {
            id: footerText
            objectName: "footerMessage"
            Layout.fillWidth: true
            text: vm.footer_message
            color: theme.text
            wrapMode: Text.Wrap
            maximumLineCount: 3
            elide: Text.ElideRight
        }
    }
}
