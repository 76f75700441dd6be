import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Kelvara.LensUtility

// One of several choices of a popup, with a line or two that explain it. The chosen one
// carries the accent; Space or a click chooses.
AbstractButton {
    id: tile
    property string detail
    property bool selected: false

    Layout.fillWidth: true
    activeFocusOnTab: true
    focusPolicy: Qt.StrongFocus
    padding: Theme.unit * 1.5
    Accessible.role: Accessible.RadioButton
    Accessible.name: text
    Accessible.description: detail
    Accessible.checkable: true
    Accessible.checked: selected

    contentItem: RowLayout {
        spacing: Theme.unit * 1.5
        Rectangle {
            Layout.alignment: Qt.AlignTop
            Layout.topMargin: 2
            implicitWidth: 16
            implicitHeight: 16
            radius: 8
            color: "transparent"
            border.width: tile.selected ? 5 : 1.5
            border.color: tile.selected ? Theme.accent : Theme.subtle
        }
        ColumnLayout {
            Layout.fillWidth: true
            spacing: Theme.unit / 2
            Label {
                Layout.fillWidth: true
                text: tile.text
                font.bold: tile.selected
                color: tile.selected ? Theme.accent : Theme.text
                wrapMode: Text.WordWrap
            }
            Label {
                Layout.fillWidth: true
                visible: text !== ""
                text: tile.detail
                font.pixelSize: Theme.smallSize
                color: Theme.subtle
                wrapMode: Text.WordWrap
                lineHeight: 1.15
            }
        }
    }

    background: Rectangle {
        radius: 8
        color: tile.selected ? Theme.accentSoft : (tile.hovered ? Theme.hover : "transparent")
        border.width: tile.visualFocus ? 2 : 1
        border.color: tile.visualFocus || tile.selected ? Theme.accent : Theme.border
    }
}
