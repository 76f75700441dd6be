import QtQuick
import QtQuick.Controls
import Kelvara.LensUtility

// A page's button, optionally with one of the program's icons. It does nothing while a
// setting is being written to the lens, also when pressed from the keyboard, which the
// lock layer does not catch.
AppButton {
    id: button
    property string iconName
    property bool iconOnly: false
    signal activated()

    icon.source: iconName ? "qrc:/kelvara/icons/" + iconName + ".svg" : ""
    display: iconOnly ? AbstractButton.IconOnly : AbstractButton.TextBesideIcon
    // An icon alone sits in a square.
    leftPadding: iconOnly ? Theme.unit : Theme.gap
    rightPadding: leftPadding
    implicitWidth: iconOnly ? implicitHeight
                            : Math.max(72, implicitContentWidth + leftPadding + rightPadding)
    ToolTip.visible: iconOnly && (hovered || visualFocus)
    ToolTip.text: text
    ToolTip.delay: 500

    onClicked: if (!AppViewModel.lock) button.activated()
}
