pragma ComponentBehavior: Bound
import QtQuick
import Kelvara.LensUtility

// Which way the focus ring turns. A choice is sent to the lens at once; Cancel writes the
// direction from before the popup back.
PopupFrame {
    id: popup
    readonly property int direction: AppViewModel.lens_setting.direction
    function text(fn) { return AppViewModel.live.ring_item[fn](0) }
    function choose(value) {
        if (direction !== value)
            AppViewModel.lens_setting.direction = value
    }

    title: AppViewModel.ring_item.function_labels[0]
    onAccepted: AppViewModel.popup.confirmPopup()
    onCancelled: AppViewModel.popup.restoreRingDirection()

    ExplanationText { text: popup.text("ringExplanation") }
    Repeater {
        model: [["ringChoiceLabel1", "ringDescription1"], ["ringChoiceLabel2", "ringDescription2"]]
        ChoiceTile {
            id: choice
            required property var modelData
            required property int index
            objectName: "ringDirection" + choice.index
            text: popup.text(choice.modelData[0])
            detail: popup.text(choice.modelData[1])
            selected: popup.direction === choice.index
            onClicked: popup.choose(choice.index)
        }
    }
    ExplanationText {
        text: popup.text("ringDescription3")
        color: Theme.subtle
        font.pixelSize: Theme.smallSize
    }
}
