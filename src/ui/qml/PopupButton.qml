import QtQuick
import QtQuick.Controls

// A button of a popup's button row: reached with Tab, pressed with Space or Enter.
Button {
    id: button
    activeFocusOnTab: true
    focusPolicy: Qt.StrongFocus
    leftPadding: theme.gap
    rightPadding: theme.gap
    Accessible.role: Accessible.Button
    Accessible.name: text
    Keys.onReturnPressed: clicked()
    Keys.onEnterPressed: clicked()
}
