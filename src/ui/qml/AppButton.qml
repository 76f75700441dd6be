import QtQuick
import QtQuick.Controls
import QtQuick.Controls.impl
import Kelvara.LensUtility

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
    padding: Theme.unit
    leftPadding: Theme.gap
    rightPadding: Theme.gap
    implicitHeight: Math.max(36, implicitContentHeight + topPadding + bottomPadding)
    implicitWidth: Math.max(72, implicitContentWidth + leftPadding + rightPadding)
    icon.width: 18
    icon.height: 18
    icon.color: control.label
    Accessible.name: text
    opacity: enabled ? 1.0 : 0.5

    readonly property color label: highlighted ? Theme.textOnAccent
                                               : (flat ? Theme.accent : Theme.text)

    contentItem: IconLabel {
        spacing: Theme.unit
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
                return control.down ? Qt.darker(Theme.accent, 1.15)
                                    : (control.hovered ? Qt.lighter(Theme.accent, 1.08) : Theme.accent)
            if (control.flat)
                return control.down || control.hovered ? Theme.accentSoft : "transparent"
            return control.down ? Theme.hover : (control.hovered ? Qt.darker(Theme.surface, 1.03) : Theme.surface)
        }
        border.width: control.visualFocus ? 2 : (control.highlighted || control.flat ? 0 : 1)
        border.color: control.visualFocus ? (control.highlighted ? Theme.text : Theme.accent) : Theme.border
    }
}
