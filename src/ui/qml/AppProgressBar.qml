import QtQuick
import QtQuick.Controls
import Kelvara.LensUtility

// The window's progress bar: a rounded track filled with the accent colour, or, while the
// length of the work is unknown, a short segment gliding along it.
ProgressBar {
    id: bar
    implicitHeight: Theme.unit
    Accessible.role: Accessible.ProgressBar

    background: Rectangle {
        implicitWidth: 200
        implicitHeight: Theme.unit
        radius: height / 2
        color: Theme.accentSoft
    }

    contentItem: Item {
        implicitWidth: 200
        implicitHeight: Theme.unit
        clip: true

        Rectangle {
            visible: !bar.indeterminate
            width: bar.visualPosition * parent.width
            height: parent.height
            radius: height / 2
            color: Theme.accent
        }

        Rectangle {
            // 0: just left of the track, 1: just past its right end.
            property real travel
            visible: bar.indeterminate
            width: parent.width / 3
            height: parent.height
            x: -width + travel * (parent.width + width)
            radius: height / 2
            color: Theme.accent
            NumberAnimation on travel {
                running: bar.indeterminate && bar.visible
                from: 0
                to: 1
                duration: 1400
                loops: Animation.Infinite
                easing.type: Easing.InOutQuad
            }
        }
    }
}
