import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Kelvara.LensUtility

// A whole-number setting within the lens's range: a slider with a step button at each
// end. A change is first only recorded (`edited`), and `committed` asks for it to be
// sent: once per step press or key press, and for a drag only when it is let go, so that
// a drag does not flood the lens with writes.
RowLayout {
    id: stepper
    property string name            // object name of the slider; the buttons add Down / Up
    property string accessibleName
    property real from: 0
    property real to: 0
    property real value: 0
    property string valueText
    signal edited(real value)
    signal committed()

    property bool dragged: false
    function step(by) {
        stepper.edited(Math.min(to, Math.max(from, value + by)))
        stepper.committed()
    }

    Layout.fillWidth: true
    spacing: Theme.unit

    AppButton {
        objectName: stepper.name + "Down"
        text: "\u2212"
        Accessible.name: stepper.accessibleName + " \u2212"
        implicitWidth: implicitHeight + Theme.unit
        enabled: stepper.value > stepper.from
        onClicked: stepper.step(-1)
    }
    Slider {
        id: slider
        objectName: stepper.name
        Layout.fillWidth: true
        activeFocusOnTab: true
        focusPolicy: Qt.StrongFocus
        Accessible.name: stepper.accessibleName
        from: stepper.from
        to: stepper.to
        stepSize: 1
        snapMode: Slider.SnapAlways
        value: stepper.value
        onMoved: {
            stepper.edited(value)
            if (pressed)
                stepper.dragged = true
            else
                stepper.committed()
        }
        onPressedChanged: {
            if (!pressed && stepper.dragged) {
                stepper.dragged = false
                stepper.committed()
            }
        }
    }
    AppButton {
        objectName: stepper.name + "Up"
        text: "+"
        Accessible.name: stepper.accessibleName + " +"
        implicitWidth: implicitHeight + Theme.unit
        enabled: stepper.value < stepper.to
        onClicked: stepper.step(1)
    }
    Label {
        objectName: stepper.name + "Text"
        Layout.minimumWidth: Theme.unit * 7
        horizontalAlignment: Text.AlignRight
        text: stepper.valueText
        font.pixelSize: Theme.titleSize
        font.bold: true
        color: Theme.accent
    }
}
