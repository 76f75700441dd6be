import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Kelvara.LensUtility

// The connected lens, and the button that lets it go.
Rectangle {
    id: header
    required property bool connected
    implicitHeight: 64
    color: Theme.surface
    Rectangle { anchors.bottom: parent.bottom; width: parent.width; height: 1; color: Theme.border }

    RowLayout {
        anchors.fill: parent
        anchors.leftMargin: Theme.margin
        anchors.rightMargin: Theme.margin
        spacing: Theme.gap

        ColumnLayout {
            Layout.fillWidth: true
            Layout.alignment: Qt.AlignVCenter
            spacing: 2
            Label {
                objectName: "headerLens"
                Layout.fillWidth: true
                text: header.connected ? AppViewModel.basic_info.productName : qsTrId("Header_LensDisconnected")
                font.pixelSize: header.connected ? Theme.titleSize : 16
                font.bold: true
                elide: Text.ElideRight
                color: Theme.text
                Accessible.role: Accessible.Heading
            }
            Label {
                objectName: "headerModel"
                visible: header.connected
                Layout.fillWidth: true
                text: "Model " + AppViewModel.basic_info.modelName
                color: Theme.subtle
                font.pixelSize: Theme.smallSize
                elide: Text.ElideRight
            }
        }
        ActionButton {
            objectName: "lensRemoval"
            visible: header.connected && AppViewModel.show_menu
            text: qsTrId("Header_LensRemoval")
            iconName: "icon_disconnect"
            onActivated: AppViewModel.disconnectLens()
        }
    }
}
