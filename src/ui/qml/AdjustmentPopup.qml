import QtQuick
import QtQuick.Controls
import QtQuick.Layouts

// The AF fine adjustment. Each step is sent to the lens at once; Cancel writes the value
// from before the popup back.
PopupFrame {
    id: popup
    readonly property var settings: vm.lens_setting

    title: vm.adjust_item.function_labels[0]
    onAccepted: vm.popup.confirmPopup()
    onCancelled: vm.popup.restoreAdjustmentPinto()

    ExplanationText { text: root.revision >= 0 ? vm.adjust_item.adjustExplanation(0).trim() : "" }
    SectionHeading { text: qsTrId("Adjustment_CorrectionValue") }
    ValueStepper {
        name: "pintoValue"
        accessibleName: qsTrId("Adjustment_CorrectionValue")
        from: vm.basic_info.pintoRange.lower
        to: vm.basic_info.pintoRange.upper
        value: popup.settings.pinto
        valueText: (value > 0 ? "+" : value < 0 ? "\u2212" : "") + Math.abs(Math.trunc(value))
        onEdited: (v) => { popup.settings.pinto = v }
        onCommitted: popup.settings.commitPinto(false)
    }
}
