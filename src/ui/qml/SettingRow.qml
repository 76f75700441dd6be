import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Kelvara.LensUtility

// One setting of a settings page: what it is, its current value and the button that
// opens the popup in which it is changed. `key` names the row ("row" + key), its value
// ("value" + key) and its button ("change" + key); a row with help has "help" + key.
Card {
    id: row
    property string key
    property string iconName
    property string label
    property string value
    property string detail
    property bool helpOffered: false
    signal change()
    signal helpRequested()

    objectName: "row" + key
    Layout.fillWidth: true
    implicitHeight: content.implicitHeight + Theme.gap * 2

    RowLayout {
        id: content
        anchors.fill: parent
        anchors.margins: Theme.gap
        spacing: Theme.gap

        Rectangle {
            visible: row.iconName !== ""
            Layout.alignment: Qt.AlignVCenter
            implicitWidth: 40
            implicitHeight: 40
            radius: 20
            color: Theme.accentSoft
            Icon { anchors.centerIn: parent; name: row.iconName; size: 24; color: Theme.accent }
        }

        ColumnLayout {
            Layout.fillWidth: true
            Layout.alignment: Qt.AlignVCenter
            spacing: 2
            Label {
                Layout.fillWidth: true
                text: row.label
                color: Theme.subtle
                font.pixelSize: Theme.smallSize
                wrapMode: Text.WordWrap
            }
            Label {
                objectName: "value" + row.key
                Layout.fillWidth: true
                text: row.value
                color: Theme.text
                font.bold: true
                wrapMode: Text.WordWrap
            }
            Label {
                visible: row.detail !== ""
                Layout.fillWidth: true
                text: row.detail
                color: Theme.subtle
                wrapMode: Text.WordWrap
            }
        }

        ActionButton {
            objectName: "help" + row.key
            visible: row.helpOffered
            Layout.alignment: Qt.AlignVCenter
            flat: true
            iconOnly: true
            iconName: "icon_help"
            text: qsTrId("Common_Help")
            Accessible.name: row.label + ": " + text
            onActivated: row.helpRequested()
        }
        ActionButton {
            objectName: "change" + row.key
            Layout.alignment: Qt.AlignVCenter
            text: qsTrId("Common_Change")
            Accessible.name: row.label + ": " + text
            onActivated: row.change()
        }
    }
}
