import QtQuick
import QtQuick.Controls
import QtQuick.Layouts

// One function the lens offers, with what it does and, where there is one, a link to
// its description online.
ColumnLayout {
    id: item
    property string key         // names the item ("function_" + key) and its link
    property string label
    property string explanation
    property string helpUrl     // text id of the address; empty: no link

    objectName: "function_" + key
    Layout.fillWidth: true
    spacing: 2

    RowLayout {
        Layout.fillWidth: true
        spacing: theme.unit
        Label {
            Layout.fillWidth: true
            text: item.label
            font.bold: true
            color: theme.text
            wrapMode: Text.WordWrap
        }
        ActionButton {
            objectName: "functionHelp_" + item.key
            visible: item.helpUrl !== ""
            flat: true
            iconOnly: true
            iconName: "icon_help"
            text: qsTrId("Common_Help")
            Accessible.name: item.label + ": " + text
            // Overhangs the heading line so that entries with and without a link keep
            // the same rhythm.
            Layout.topMargin: -theme.unit
            Layout.bottomMargin: -theme.unit
            onActivated: shell.openUrl(item.helpUrl)
        }
    }
    Label {
        Layout.fillWidth: true
        text: item.explanation
        color: theme.subtle
        wrapMode: Text.WordWrap
        lineHeight: 1.15
    }
}
