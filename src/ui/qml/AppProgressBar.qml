import QtQuick
import QtQuick.Controls

// The window's progress bar: a rounded track filled with the accent colour, or, while the
// length of the work is unknown, a short segment gliding along it.
ProgressBar {
    id: bar
    implicitHeight: theme.unit
    Accessible.role: Accessible.ProgressBar

    background: Rectangle {
        implicitWidth: 200
        implicitHeight: theme.unit
        radius: height / 2
        color: theme.accentSoft
    }

    contentItem: Item {
        implicitWidth: 200
        implicitHeight: theme.unit
        clip: true

        Rectangle {
            visible: !bar.indeterminate
            width: bar.visualPosition * parent.width
            height: parent.height
            radius: height / 2
            color: theme.accent
        }

        Rectangle {
            id: segment
            visible: bar.indeterminate
            width: parent.width / 3
            height: parent.height
            radius: height / 2
            color: theme.accent
            NumberAnimation on x {
                running: bar.indeterminate && bar.visible
                from: -segment.width
                to: segment.parent.width
                duration: 1400
                loops: Animation.Infinite
                easing.type: Easing.InOutQuad
            }
        }
    }
}
