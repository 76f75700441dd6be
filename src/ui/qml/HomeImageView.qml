import QtQuick

// Our own simple drawing of a lens seen from the side: mount, barrel, focus ring,
// custom switch and button. `highlight` names a part to emphasise: "ring", "switch",
// "button" or "".
Item {
    id: drawing
    property string highlight: ""
    implicitWidth: 260; implicitHeight: 150

    readonly property color line: theme.subtle
    readonly property color fill: theme.dark ? "#30353c" : "#eef0f3"

    Rectangle { // mount
        x: 0; y: parent.height * 0.3; width: parent.width * 0.08; height: parent.height * 0.4
        color: drawing.fill; border.color: drawing.line; radius: 3
    }
    Rectangle { // barrel
        id: barrel
        x: parent.width * 0.08; y: parent.height * 0.15
        width: parent.width * 0.88; height: parent.height * 0.7
        color: drawing.fill; border.color: drawing.line; radius: 8
    }
    Rectangle { // focus ring
        x: parent.width * 0.55; y: parent.height * 0.1
        width: parent.width * 0.28; height: parent.height * 0.8; radius: 6
        color: drawing.highlight === "ring" ? theme.accentSoft : drawing.fill
        border.color: drawing.highlight === "ring" ? theme.accent : drawing.line
        border.width: drawing.highlight === "ring" ? 2 : 1
        Repeater {
            model: 7
            Rectangle {
                x: (index + 1) * parent.width / 8; y: 6
                width: 1; height: parent.height - 12; color: drawing.line; opacity: 0.5
            }
        }
    }
    Rectangle { // custom switch
        x: parent.width * 0.2; y: parent.height * 0.25; width: parent.width * 0.06
        height: parent.height * 0.3; radius: 3
        color: drawing.highlight === "switch" ? theme.accent : drawing.line
    }
    Rectangle { // custom button
        x: parent.width * 0.33; y: parent.height * 0.3; width: parent.width * 0.07
        height: width; radius: width / 2
        color: drawing.highlight === "button" ? theme.accent : drawing.line
    }
}
