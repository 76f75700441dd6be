import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Kelvara.LensUtility

// The latest problem in one line, or nothing at all.
Rectangle {
    readonly property bool hasMessage: AppViewModel.footer_message !== ""
    implicitHeight: hasMessage ? Math.max(36, footerText.implicitHeight + Theme.unit * 2) : 0
    visible: hasMessage
    color: Theme.surface
    Accessible.role: Accessible.AlertMessage
    Accessible.name: AppViewModel.footer_message
    Rectangle { width: parent.width; height: 1; color: Theme.border }
    RowLayout {
        anchors.fill: parent
        anchors.leftMargin: Theme.margin
        anchors.rightMargin: Theme.margin
        spacing: Theme.unit
        Icon {
            objectName: "footerIcon"
            name: "icon_error"
            size: 20
            color: Theme.error
        }
        Label {
            id: footerText
            objectName: "footerMessage"
            Layout.fillWidth: true
            text: AppViewModel.footer_message
            color: Theme.text
            wrapMode: Text.Wrap
            maximumLineCount: 3
            elide: Text.ElideRight
        }
    }
}
