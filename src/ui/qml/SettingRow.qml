import QtQuick
import QtQuick.Controls
import QtQuick.Layouts

// One setting of a settings page: what it is, its current value and the button that
// opens the popup in which it is changed. `key` names the row ("row" + key), its value
// ("value" + key) and its button ("change" + key).
Card {
    id: row
    property string key
    property string iconName
    property string label
    property string value
    property string detail
    signal change()

    objectName: "row" + key
    Layout.fillWidth: true
    implicitHeight: content.implicitHeight + theme.gap * 2

    RowLayout {
        id: content
        anchors.fill: parent
        anchors.margins: theme.gap
        spacing: theme.gap

        Rectangle {
            visible: row.iconName !== ""
            Layout.alignment: Qt.AlignVCenter
            implicitWidth: 40
            implicitHeight: 40
            radius: 20
            color: theme.accentSoft
            Icon { anchors.centerIn: parent; name: row.iconName; size: 24; color: theme.accent }
        }

        ColumnLayout {
            Layout.fillWidth: true
            Layout.alignment: Qt.AlignVCenter
            spacing: 2
            Label {
                Layout.fillWidth: true
                text: row.label
                color: theme.subtle
                font.pixelSize: theme.smallSize
                wrapMode: Text.WordWrap
            }
            Label {
                objectName: "value" + row.key
                Layout.fillWidth: true
                text: row.value
                color: theme.text
                font.bold: true
                wrapMode: Text.WordWrap
            }
            Label {
                visible: row.detail !== ""
                Layout.fillWidth: true
                text: row.detail
                color: theme.subtle
                wrapMode: Text.WordWrap
            }
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
