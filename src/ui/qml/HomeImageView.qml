import QtQuick
import Kelvara.LensUtility

// The attached lens from the side with its custom switch, custom button and focus ring
// marked, labelled and clickable. The layout comes in a 400 x 200 space and is mapped to
// this item with one scale, centred, so the marks stay on the controls at any size.
Item {
    id: drawing
    property bool hover_switch: false
    property bool hover_button: false
    property bool hover_ring: false
    // The pointer entered or left a part ("switch", "button", "ring") of the drawing.
    signal hoverSet(string part, bool inside)

    readonly property var layout: AppViewModel.home_image
    readonly property real k: Math.min(width / 400, height / 200)
    readonly property real originX: (width - 400 * k) / 2
    readonly property real originY: (height - 200 * k) / 2
    readonly property bool hasSwitch: AppViewModel.basic_info.customSwitchStateCount !== 0
    readonly property bool hasButton: AppViewModel.basic_info.customButtonCount !== 0
    implicitWidth: 400
    implicitHeight: 200

    Image {
        objectName: "lensPicture"
        x: drawing.originX
        y: drawing.originY
        width: 400 * drawing.k
        height: 200 * drawing.k
        source: drawing.layout.lensImage ? "qrc:/kelvara/images/" + drawing.layout.lensImage + ".svg" : ""
        sourceSize.width: Math.max(1, Math.ceil(width))
        sourceSize.height: Math.max(1, Math.ceil(height))
        fillMode: Image.Stretch
    }

    LensDrawingPart {
        k: drawing.k
        origin: Qt.point(drawing.originX, drawing.originY)
        name: "ring"
        visible: drawing.layout.ringOffset !== undefined
        round: false
        area: visible ? Qt.rect(drawing.layout.ringOffset.width, drawing.layout.ringOffset.height,
                                drawing.layout.ringWidth, drawing.layout.ringHeight) : Qt.rect(0, 0, 0, 0)
        points: drawing.layout.ringLines || []
        labelAt: visible ? drawing.layout.ringTextOffset : Qt.size(0, 0)
        textId: "Home_LabelFocusRing"
        highlighted: drawing.hover_ring
        onPointerInsideChanged: drawing.hoverSet(name, pointerInside)
        onActivated: AppViewModel.selected_menu = MenuId.RING_SETTING
    }

    LensDrawingPart {
        k: drawing.k
        origin: Qt.point(drawing.originX, drawing.originY)
        name: "switch"
        visible: drawing.hasSwitch
        area: Qt.rect(drawing.layout.switchCircleX, drawing.layout.switchCircleY,
                      drawing.layout.switchCircleWidth, drawing.layout.switchCircleHeight)
        points: drawing.layout.switchLines || []
        labelAt: drawing.layout.switchOffset
        textId: "Home_LabelCustomSwitch"
        highlighted: drawing.hover_switch
        onPointerInsideChanged: drawing.hoverSet(name, pointerInside)
        onActivated: AppViewModel.selected_menu = MenuId.CSW_CBT_SETTING
    }

    LensDrawingPart {
        k: drawing.k
        origin: Qt.point(drawing.originX, drawing.originY)
        name: "button"
        visible: drawing.hasButton
        area: Qt.rect(drawing.layout.buttonCircleX, drawing.layout.buttonCircleY,
                      drawing.layout.buttonCircleWidth, drawing.layout.buttonCircleHeight)
        points: drawing.layout.buttonLines || []
        labelAt: drawing.layout.buttonOffset
        textId: "Home_LabelFocusSetButton"
        highlighted: drawing.hover_button
        onPointerInsideChanged: drawing.hoverSet(name, pointerInside)
        // With a custom switch the button is set on the switch's page.
        onActivated: AppViewModel.selected_menu = drawing.hasSwitch ? MenuId.CSW_CBT_SETTING : MenuId.CBT_SETTING
    }
}
