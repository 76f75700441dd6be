import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Kelvara.LensUtility

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
        spacing: Theme.unit
        Label {
            Layout.fillWidth: true
            text: item.label
            font.bold: true
            color: Theme.text
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
            Layout.topMargin: -Theme.unit
            Layout.bottomMargin: -Theme.unit
            onActivated: Shell.openUrl(item.helpUrl)
        }
    }
    Label {
        Layout.fillWidth: true
        text: item.explanation
        color: Theme.subtle
        wrapMode: Text.WordWrap
        lineHeight: 1.15
    }
}
