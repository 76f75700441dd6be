import QtQuick
import QtQuick.Controls
import QtQuick.Layouts

// One entry of the side menu; a click shows its page (or, for a link, opens it).
Rectangle {
    id: entry
    property int menuId: -1
    property string textId
    property bool shown: true
    property bool link: false
    signal activated()

    readonly property bool selected: !link && vm.selected_menu === menuId
    objectName: "menu_" + textId
    visible: shown
    Layout.fillWidth: true
    Layout.leftMargin: theme.unit
    Layout.rightMargin: theme.unit
    implicitHeight: Math.max(40, label.implicitHeight + theme.gap)
    radius: 8
    color: selected ? theme.accentSoft : (mouse.containsMouse ? theme.hover : "transparent")
    opacity: selected ? 1.0 : 0.85

    Rectangle {
        visible: entry.selected
        width: 3; radius: 1.5
        height: parent.height - theme.gap
        anchors.verticalCenter: parent.verticalCenter
        x: 0
        color: theme.accent
    }
    Label {
        id: label
        anchors.verticalCenter: parent.verticalCenter
        x: theme.gap
        width: parent.width - theme.gap * 2
        text: qsTrId(entry.textId) + (entry.link ? "  \u2197" : "")
        wrapMode: Text.WordWrap
        color: entry.selected ? theme.accent : theme.text
        font.bold: entry.selected
    }
    MouseArea {
        id: mouse
        anchors.fill: parent
        hoverEnabled: true
        cursorShape: Qt.PointingHandCursor
        onClicked: {
            if (entry.link)
                entry.activated()
            else
                vm.selected_menu = entry.menuId
        }
    }
}
