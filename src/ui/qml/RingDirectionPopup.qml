import QtQuick
import QtQuick.Controls
import QtQuick.Layouts

// Which way the focus ring turns. A choice is sent to the lens at once; Cancel writes the
// direction from before the popup back.
PopupFrame {
    id: popup
    readonly property int direction: vm.lens_setting.direction
    function text(fn) { return root.revision >= 0 ? vm.ring_item[fn](0) : "" }
    function choose(value) {
        if (direction !== value)
            vm.lens_setting.direction = value
    }

    title: vm.ring_item.function_labels[0]
    onAccepted: vm.popup.confirmPopup()
    onCancelled: vm.popup.restoreRingDirection()

    ExplanationText { text: popup.text("ringExplanation") }
    Repeater {
        model: [["ringChoiceLabel1", "ringDescription1"], ["ringChoiceLabel2", "ringDescription2"]]
        ChoiceTile {
            objectName: "ringDirection" + index
            text: popup.text(modelData[0])
            detail: popup.text(modelData[1])
            selected: popup.direction === index
            onClicked: popup.choose(index)
        }
    }
    ExplanationText {
        text: popup.text("ringDescription3")
        color: theme.subtle
        font.pixelSize: theme.smallSize
    }
}
