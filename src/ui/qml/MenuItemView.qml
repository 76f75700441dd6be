import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Kelvara.LensUtility

// One entry of the side menu; a click shows its page (or, for a link, opens it).
Rectangle {
    id: entry
    property int menuId: -1
    property string textId
    property bool shown: true
    property bool link: false
    property string icon                // an icon of resources/icons, by name
    property string selectedIcon        // its filled form, while the entry's page is shown
    signal activated()

    readonly property bool selected: !link && AppViewModel.selected_menu === menuId
    objectName: "menu_" + textId
    visible: shown
    Layout.fillWidth: true
    Layout.leftMargin: Theme.unit
    Layout.rightMargin: Theme.unit
    implicitHeight: Math.max(40, label.implicitHeight + Theme.gap)
    radius: 8
    color: selected ? Theme.accentSoft : (mouse.containsMouse ? Theme.hover : "transparent")
    border.width: activeFocus ? 2 : 0
    border.color: Theme.accent
    opacity: selected ? 1.0 : 0.8
    activeFocusOnTab: true
    Accessible.role: link ? Accessible.Link : Accessible.PageTab
    Accessible.name: qsTrId(textId)
    Accessible.selected: selected
    Keys.onSpacePressed: choose()
    Keys.onReturnPressed: choose()
    Keys.onEnterPressed: choose()

    function choose() {
        if (AppViewModel.lock)
            return
        if (link)
            activated()
        else
            AppViewModel.selected_menu = menuId
    }

    Rectangle {
        visible: entry.selected
        width: 3; radius: 1.5
        height: parent.height - Theme.gap
        anchors.verticalCenter: parent.verticalCenter
        x: 0
        color: Theme.accent
    }
    Icon {
        id: glyph
        objectName: entry.objectName + "_icon"
        anchors.verticalCenter: parent.verticalCenter
        x: Theme.gap - 2
        size: 20
        name: entry.selected && entry.selectedIcon ? entry.selectedIcon : entry.icon
        color: entry.selected ? Theme.accent : Theme.text
    }
    Label {
        id: label
        anchors.verticalCenter: parent.verticalCenter
        anchors.left: glyph.right
        anchors.leftMargin: Theme.unit + 2
        anchors.right: parent.right
        anchors.rightMargin: Theme.unit
        text: qsTrId(entry.textId)
        wrapMode: Text.WordWrap
        color: entry.selected ? Theme.accent : Theme.text
        font.bold: entry.selected
    }
    MouseArea {
        id: mouse
        anchors.fill: parent
        hoverEnabled: true
        cursorShape: Qt.PointingHandCursor
        onClicked: entry.choose()
    }
}
