import QtQuick

// A small round mark: "!" for warnings and errors.
Rectangle {
    property color tint: theme.warning
    width: 18; height: 18; radius: 9
    color: tint
    Text {
        anchors.centerIn: parent
        text: "!"
        color: theme.surface
        font.bold: true
        font.pixelSize: 12
    }
}
