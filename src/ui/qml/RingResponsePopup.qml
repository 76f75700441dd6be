import QtQuick
import QtQuick.Controls
import QtQuick.Layouts

// How the focus follows the ring, and for the linear response the ring's rotation angle.
// Each change is sent to the lens at once; Cancel writes the response and the angle from
// before the popup back.
PopupFrame {
    id: popup
    readonly property var settings: vm.lens_setting
    readonly property bool linear: settings.ring_response === 1
    function text(fn) { return root.revision >= 0 ? vm.ring_item[fn](1) : "" }

    title: vm.ring_item.function_labels[1]
    onAccepted: vm.popup.confirmPopup()
    onCancelled: vm.popup.restoreRingResponse()

    ExplanationText { text: popup.text("ringExplanation") }
    Repeater {
        model: [["ringChoiceLabel1", "ringDescription1"], ["ringChoiceLabel2", "ringDescription2"]]
        ChoiceTile {
            objectName: "ringResponse" + index
            text: popup.text(modelData[0])
            detail: popup.text(modelData[1])
            selected: popup.settings.ring_response === index
            onClicked: {
                if (popup.settings.ring_response !== index)
                    popup.settings.ring_response = index
            }
        }
    }

    // The angle is what the linear response turns through, so it is set only there.
    SectionHeading {
        visible: root.supports(5)
        text: qsTrId("RingSetting_RingAngle")
        opacity: popup.linear ? 1 : 0.5
    }
    ValueStepper {
        visible: root.supports(5)
        enabled: popup.linear
        opacity: enabled ? 1 : 0.5
        name: "ringAngle"
        accessibleName: qsTrId("RingSetting_RingAngle")
        from: vm.basic_info.ringAngleRange.lower
        to: vm.basic_info.ringAngleRange.upper
        value: popup.settings.ring_angle
        valueText: (root.revision >= 0 ? vm.ringAngleText() : "") + "\u00b0"
        onEdited: (v) => { popup.settings.ring_angle = v }
        onCommitted: popup.settings.commitRingAngle(false)
    }
}
