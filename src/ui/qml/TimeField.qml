import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Kelvara.LensUtility

// A time kept in tenths of a second, shown in seconds with its unit: typed, or stepped by
// 0.1 s with the buttons or the arrow keys. What is typed is checked against the range
// at every key and handed on (`edited`, in tenths) only when it fits, on Return or on
// leaving the field; text that does not fit is marked and then put back.
ColumnLayout {
    id: time
    property string name            // object name of the text field; the buttons add Down / Up,
                                    // the range Range, the whole Field
    property string accessibleName
    property int tenths: 0
    property int maximum: 0         // in tenths; the shortest is 0
    signal edited(int tenths)

    objectName: name + "Field"
    // The typed text in tenths, or -1 when it is no time.
    readonly property int typed: parse(input.text)
    readonly property bool fits: typed >= 0 && typed <= maximum

    function format(t) { return (t / 10).toFixed(1) }
    function parse(text) {
        const match = /^(\d*)(?:[.,](\d?))?$/.exec(text)
        if (!match || (match[1] === "" && !match[2]))
            return -1
        return Number(match[1] || "0") * 10 + Number(match[2] || "0")
    }
    // Nothing goes to the lens while another write holds it.
    function hand(t) {
        if (!AppViewModel.lock && t !== tenths)
            time.edited(t)
    }
    function step(by) { hand(Math.min(maximum, Math.max(0, tenths + by))) }
    function commit() {
        if (fits)
            hand(typed)
        input.text = format(tenths)
    }
    onTenthsChanged: input.text = format(tenths)

    spacing: Theme.unit / 2

    RowLayout {
        spacing: Theme.unit
        AppButton {
            objectName: time.name + "Down"
            text: "\u2212"
            Accessible.name: time.accessibleName + " \u2212"
            implicitWidth: implicitHeight + Theme.unit
            enabled: time.tenths > 0
            onClicked: time.step(-1)
        }
        TextField {
            id: input
            objectName: time.name
            Layout.preferredWidth: Theme.unit * 10
            Layout.fillHeight: true
            horizontalAlignment: TextInput.AlignRight
            inputMethodHints: Qt.ImhFormattedNumbersOnly
            // Digits and one decimal place; the range is checked apart, so that a time
            // too long can still be typed and shown as such.
            validator: RegularExpressionValidator { regularExpression: /\d{0,3}([.,]\d?)?/ }
            Accessible.name: time.accessibleName
            Accessible.description: range.text
            color: time.fits ? Theme.text : Theme.error
            background: Rectangle {
                radius: 8
                color: Theme.surface
                border.width: input.activeFocus || !time.fits ? 2 : 1
                border.color: !time.fits ? Theme.error : (input.activeFocus ? Theme.accent : Theme.border)
            }
            text: time.format(time.tenths)
            // Return confirms the time here rather than the popup.
            onEditingFinished: time.commit()
            Keys.onReturnPressed: time.commit()
            Keys.onEnterPressed: time.commit()
            Keys.onUpPressed: time.step(1)
            Keys.onDownPressed: time.step(-1)
            Keys.onEscapePressed: (event) => {
                event.accepted = text !== time.format(time.tenths)
                text = time.format(time.tenths)
            }
        }
        AppButton {
            objectName: time.name + "Up"
            text: "+"
            Accessible.name: time.accessibleName + " +"
            implicitWidth: implicitHeight + Theme.unit
            enabled: time.tenths < time.maximum
            onClicked: time.step(1)
        }
        Label {
            text: qsTrId("Common_SecondsUnit")
            color: Theme.text
        }
    }
    Label {
        id: range
        objectName: time.name + "Range"
        Layout.fillWidth: true
        text: qsTrId("ButtonSelect_TimeRange").arg(time.format(0)).arg(time.format(time.maximum))
        color: time.fits ? Theme.subtle : Theme.error
        font.pixelSize: Theme.smallSize
        font.bold: !time.fits
        wrapMode: Text.WordWrap
    }
}
