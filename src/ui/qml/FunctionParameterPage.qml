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

    // Assigns one digit of a time and sends the whole time.
    function editDigit(names, index, value, commit) {
        const digits = Array.from(settings[names[index]])
        digits[slot] = value
        settings[names[index]] = digits
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
    TimeDigits {
        visible: page.functions.isFocusTime(page.current)
        names: ["focusSec2", "focusSec1", "focusSec0"]
        accessibleName: qsTrId("ButtonSelect_FocusTime")
        values: names.map(n => page.settings[n][page.slot])
        maxima: [Math.min(9, AppViewModel.basic_info.maxSec2), 9, 9]
        onEdited: (index, value) => page.editDigit(names, index, value, "commitFocusTime")
    }

    SectionHeading {
        visible: page.functions.isFocusTime(page.current) && Lens.supports(10)
        text: qsTrId("ButtonSelect_DelaySetting")
    }
    TimeDigits {
        visible: page.functions.isFocusTime(page.current) && Lens.supports(10)
        names: ["focusDelay1", "focusDelay0"]
        accessibleName: qsTrId("ButtonSelect_DelaySetting")
        values: names.map(n => page.settings[n][page.slot])
        maxima: [9, 9]
        onEdited: (index, value) => page.editDigit(names, index, value, "commitFocusDelay")
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
