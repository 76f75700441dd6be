import QtQuick
import Kelvara.LensUtility

// The function on one custom control: a switch position (slots 1 to 3) or the custom
// button (slot 0), with its parameters.
SettingRow {
    id: control
    property int slot: 0
    readonly property int positions: AppViewModel.basic_info.customSwitchStateCount
    readonly property string summary: AppViewModel.live.buttonSummaryText(slot, true)
    readonly property int func: AppViewModel.lens_setting.bt_func[slot]

    key: slot === 0 ? "Button" : "Custom" + slot
    label: qsTrId(["Home_LabelFocusSetButton", "Common_Custom1", "Common_Custom2", "Common_Custom3"][slot])
    iconName: {
        if (slot === 0)
            return "icon_custom_button"
        if (positions === 2)
            return slot === 1 ? "icon_switch_2type_up" : "icon_switch_2type_low"
        return ["icon_switch_3type_up", "icon_switch_3type_middle", "icon_switch_3type_low"][slot - 1]
    }
    value: AppViewModel.live.buttonSummaryText(slot, false)
    // The parameters follow the function's name, after the first separator.
    detail: summary.startsWith(value) ? summary.slice(value.length).replace(/^\s+\/\s+/, "") : ""
    onChange: AppViewModel.popup.openPopup(PopupId.FunctionSelect, control.slot)
    // The function's own description; a function with nothing to explain has no help.
    helpOffered: AppViewModel.live.button_item.functionExplanation(func) !== ""
    onHelpRequested: AppViewModel.message.showButtonFunctionTooltip(control.slot, control.func)
}
