import QtQuick
import QtQuick.Controls
import QtQuick.Layouts

// A time in tenths of a second set digit by digit, the last digit after the point, each
// digit within its own limit; the total is shown in seconds.
RowLayout {
    id: time
    required property var names       // object names of the digit fields, highest first
    required property var values
    required property var maxima
    property string accessibleName
    signal edited(int index, int value)

    spacing: theme.unit
    Repeater {
        model: time.names
        RowLayout {
            spacing: theme.unit
            Label {
                visible: index === time.names.length - 1
                text: "."
                font.pixelSize: theme.titleSize
                color: theme.text
            }
            SpinBox {
                objectName: modelData
                Layout.preferredWidth: theme.unit * 11
                activeFocusOnTab: true
                focusPolicy: Qt.StrongFocus
                Accessible.name: time.accessibleName + " " + (index + 1)
                from: 0
                to: time.maxima[index]
                value: time.values[index]
                onValueModified: time.edited(index, value)
            }
        }
    }
    Label {
        Layout.leftMargin: theme.unit
        text: "= " + qsTrId("Common_Seconds").arg(
                  Number(time.values.slice(0, -1).join("")) + "." + time.values[time.values.length - 1])
        color: theme.subtle
    }
}
