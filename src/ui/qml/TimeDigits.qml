pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Kelvara.LensUtility

// A time in tenths of a second set digit by digit, the last digit after the point, each
// digit within its own limit; the total is shown in seconds.
RowLayout {
    id: time
    required property var names       // object names of the digit fields, highest first
    required property var values
    required property var maxima
    property string accessibleName
    signal edited(int index, int value)

    spacing: Theme.unit
    Repeater {
        model: time.names
        RowLayout {
            id: digit
            required property string modelData
            required property int index
            spacing: Theme.unit
            Label {
                visible: digit.index === time.names.length - 1
                text: "."
                font.pixelSize: Theme.titleSize
                color: Theme.text
            }
            SpinBox {
                objectName: digit.modelData
                Layout.preferredWidth: Theme.unit * 11
                activeFocusOnTab: true
                focusPolicy: Qt.StrongFocus
                Accessible.name: time.accessibleName + " " + (digit.index + 1)
                from: 0
                to: time.maxima[digit.index]
                value: time.values[digit.index]
                onValueModified: time.edited(digit.index, value)
            }
        }
    }
    Label {
        Layout.leftMargin: Theme.unit
        text: "= " + qsTrId("Common_Seconds").arg(
                  Number(time.values.slice(0, -1).join("")) + "." + time.values[time.values.length - 1])
        color: Theme.subtle
    }
}
