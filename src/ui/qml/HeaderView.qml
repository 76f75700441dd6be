import QtQuick
import QtQuick.Controls
import QtQuick.Layouts

// The connected lens, and the button that lets it go.
Rectangle {
    implicitHeight: 64
    color: theme.surface
    Rectangle { anchors.bottom: parent.bottom; width: parent.width; height: 1; color: theme.border }

    RowLayout {
        anchors.fill: parent
        anchors.leftMargin: theme.margin
        anchors.rightMargin: theme.margin
        spacing: theme.gap

        ColumnLayout {
            Layout.fillWidth: true
            Layout.alignment: Qt.AlignVCenter
            spacing: 2
            Label {
                objectName: "headerLens"
                Layout.fillWidth: true
                text: root.connected ? vm.basic_info.productName : qsTrId("Header_LensDisconnected")
                font.pixelSize: root.connected ? theme.titleSize : 16
                font.bold: true
                elide: Text.ElideRight
                color: theme.text
                Accessible.role: Accessible.Heading
            }
            Label {
                objectName: "headerModel"
                visible: root.connected
                Layout.fillWidth: true
                text: "Model " + vm.basic_info.modelName
                color: theme.subtle
                font.pixelSize: theme.smallSize
                elide: Text.ElideRight
            }
        }
        ActionButton {
            objectName: "lensRemoval"
            visible: root.connected && vm.show_menu
            text: qsTrId("Header_LensRemoval")
            iconName: "icon_disconnect"
            onActivated: vm.disconnectLens()
        }
    }
}
