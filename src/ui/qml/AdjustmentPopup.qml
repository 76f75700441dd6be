import QtQuick
import Kelvara.LensUtility

// The AF fine adjustment. Each step is sent to the lens at once; Cancel writes the value
// from before the popup back.
PopupFrame {
    id: popup
    readonly property var settings: AppViewModel.lens_setting

    title: AppViewModel.adjust_item.function_labels[0]
    onAccepted: AppViewModel.popup.confirmPopup()
    onCancelled: AppViewModel.popup.restoreAdjustmentPinto()

    ExplanationText { text: AppViewModel.live.adjust_item.adjustExplanation(0).trim() }
    SectionHeading { text: qsTrId("Adjustment_CorrectionValue") }
    ValueStepper {
        name: "pintoValue"
        accessibleName: qsTrId("Adjustment_CorrectionValue")
        from: AppViewModel.basic_info.pintoRange.lower
        to: AppViewModel.basic_info.pintoRange.upper
        value: popup.settings.pinto
        valueText: (value > 0 ? "+" : value < 0 ? "\u2212" : "") + Math.abs(Math.trunc(value))
        onEdited: (v) => { popup.settings.pinto = v }
        onCommitted: popup.settings.commitPinto(false)
    }
}
