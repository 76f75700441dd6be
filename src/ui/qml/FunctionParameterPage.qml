pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Layouts
import Kelvara.LensUtility

// Second page of the function popup: what the chosen function can be set to. Every
// change is sent to the lens at once.
ColumnLayout {
    id: page
    required property ButtonFunctions functions
    required property int slot
    required property int current
    signal chosen(int f)

    readonly property var settings: AppViewModel.lens_setting
    // Kept as text so that the choices are rebuilt (and the keyboard focus lost) only when
    // they really change, not at every write.
    readonly property string operationList:
        JSON.stringify(functions.operations(functions.variants(current)[0]))
    readonly property var operations: JSON.parse(operationList)

    // A time of the slot in tenths, from the digits the settings model keeps, and back:
    // all digits are assigned and the whole time is sent once.
    function timeOf(names) {
        return names.reduce((t, n, i) => t + settings[n][slot] * Math.pow(10, names.length - 1 - i), 0)
    }
    function editTime(names, tenths, commit) {
        names.forEach((n, i) => {
            const digits = Array.from(settings[n])
            digits[slot] = Math.floor(tenths / Math.pow(10, names.length - 1 - i)) % 10
            settings[n] = digits
        })
        settings[commit](slot)
    }

    spacing: Theme.unit

    ExplanationText {
        text: AppViewModel.live.button_item.functionExplanationDescription(page.current)
    }

    SectionHeading {
        visible: page.functions.isAfLimit(page.current)
        text: qsTrId("ButtonSelect_AFLimitRange")
    }
    AfLimitRange {
        visible: page.functions.isAfLimit(page.current)
        row: AppViewModel.popup.aflim_id
    }

    SectionHeading {
        visible: page.functions.isFocusTime(page.current)
        text: qsTrId("ButtonSelect_FocusTime")
    }
    TimeField {
        readonly property var digits: ["focusSec2", "focusSec1", "focusSec0"]
        visible: page.functions.isFocusTime(page.current)
        name: "focusTime"
        accessibleName: qsTrId("ButtonSelect_FocusTime")
        tenths: page.timeOf(digits)
        // Tens of seconds up to the lens's longest time.
        maximum: Math.min(9, AppViewModel.basic_info.maxSec2) * 100 + 99
        onEdited: (t) => page.editTime(digits, t, "commitFocusTime")
    }

    SectionHeading {
        visible: page.functions.isFocusTime(page.current) && Lens.supports(10)
        text: qsTrId("ButtonSelect_DelaySetting")
    }
    TimeField {
        readonly property var digits: ["focusDelay1", "focusDelay0"]
        visible: page.functions.isFocusTime(page.current) && Lens.supports(10)
        name: "focusDelay"
        accessibleName: qsTrId("ButtonSelect_DelaySetting")
        tenths: page.timeOf(digits)
        maximum: 99
        onEdited: (t) => page.editTime(digits, t, "commitFocusDelay")
    }

    SectionHeading {
        visible: page.operations.length > 1
        text: qsTrId("ButtonSelect_FSBOperationMethod")
    }
    Repeater {
        model: page.operations.length > 1 ? page.operations : []
        ChoiceTile {
            id: tile
            required property var modelData
            objectName: "operation_" + tile.modelData[0]
            text: tile.modelData[1]
            detail: tile.modelData[2]
            selected: page.current === tile.modelData[0]
            onClicked: page.chosen(tile.modelData[0])
        }
    }
}
