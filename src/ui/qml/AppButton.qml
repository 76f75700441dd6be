import QtQuick
import QtQuick.Controls
import QtQuick.Controls.impl

// The window's push button: roomy, rounded, the primary action filled with the accent
// colour, a clear ring while it has keyboard focus, reached with Tab and pressed with
// Space, Enter or Return.
Button {
    id: control
    activeFocusOnTab: true
    focusPolicy: Qt.StrongFocus
    Accessible.role: Accessible.Button
    Keys.onReturnPressed: clicked()
    Keys.onEnterPressed: clicked()
    padding: theme.unit
    leftPadding: theme.gap
    rightPadding: theme.gap
    implicitHeight: Math.max(36, implicitContentHeight + topPadding + bottomPadding)
    implicitWidth: Math.max(72, implicitContentWidth + leftPadding + rightPadding)
    icon.width: 18
    icon.height: 18
    icon.color: control.label
    Accessible.name: text
    opacity: enabled ? 1.0 : 0.5

    readonly property color label: highlighted ? theme.textOnAccent
                                               : (flat ? theme.accent : theme.text)

    contentItem: IconLabel {
        spacing: theme.unit
        display: control.display
        icon: control.icon
        text: control.text
        font: control.font
        color: control.label
    }

    background: Rectangle {
        radius: 8
        color: {
            if (control.highlighted)
                return control.down ? Qt.darker(theme.accent, 1.15)
                                    : (control.hovered ? Qt.lighter(theme.accent, 1.08) : theme.accent)
            if (control.flat)
                return control.down || control.hovered ? theme.accentSoft : "transparent"
            return control.down ? theme.hover : (control.hovered ? Qt.darker(theme.surface, 1.03) : theme.surface)
        }
        border.width: control.visualFocus ? 2 : (control.highlighted || control.flat ? 0 : 1)
        border.color: control.visualFocus ? (control.highlighted ? theme.text : theme.accent) : theme.border
    }
}
