pragma ComponentBehavior: Bound
import QtQuick
import Kelvara.LensUtility

// How the focus follows the ring, and for the linear response the ring's rotation angle.
// Each change is sent to the lens at once; Cancel writes the response and the angle from
// before the popup back.
PopupFrame {
    id: popup
    readonly property var settings: AppViewModel.lens_setting
    readonly property bool linear: settings.ring_response === 1
    function text(fn) { return AppViewModel.live.ring_item[fn](1) }

    title: AppViewModel.ring_item.function_labels[1]
    onAccepted: AppViewModel.popup.confirmPopup()
    onCancelled: AppViewModel.popup.restoreRingResponse()

    ExplanationText { text: popup.text("ringExplanation") }
    Repeater {
        model: [["ringChoiceLabel1", "ringDescription1"], ["ringChoiceLabel2", "ringDescription2"]]
        ChoiceTile {
            id: choice
            required property var modelData
            required property int index
            objectName: "ringResponse" + choice.index
            text: popup.text(choice.modelData[0])
            detail: popup.text(choice.modelData[1])
            selected: popup.settings.ring_response === choice.index
            onClicked: {
                if (popup.settings.ring_response !== choice.index)
                    popup.settings.ring_response = choice.index
            }
        }
    }

    // The angle is what the linear response turns through, so it is set only there.
    SectionHeading {
        visible: Lens.supports(5)
        text: qsTrId("RingSetting_RingAngle")
        opacity: popup.linear ? 1 : 0.5
    }
    ValueStepper {
        visible: Lens.supports(5)
        enabled: popup.linear
        opacity: enabled ? 1 : 0.5
        name: "ringAngle"
        accessibleName: qsTrId("RingSetting_RingAngle")
        from: AppViewModel.basic_info.ringAngleRange.lower
        to: AppViewModel.basic_info.ringAngleRange.upper
        value: popup.settings.ring_angle
        valueText: (AppViewModel.live.ringAngleText()) + "\u00b0"
        onEdited: (v) => { popup.settings.ring_angle = v }
        onCommitted: popup.settings.commitRingAngle(false)
    }
}
