import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Kelvara.LensUtility

// The lens and what its controls do, with saving, loading and resetting the settings.
// The drawing and the summary share one hover flag per control, so pointing at either
// lights up both. A wide page puts them side by side; a narrow one stacks them.
Item {
    id: home
    objectName: "homePage"
    property bool hover_switch: false
    property bool hover_button: false
    property bool hover_ring: false
    property bool hover_adjust: false
    readonly property bool wide: width >= 780
    // With the function's details (speed, times, AF limit range, operation), as the
    // switch page and the command line show them.
    function summary(slot) { return AppViewModel.live.buttonSummaryText(slot, true) }

    ColumnLayout {
        anchors.fill: parent
        anchors.margins: Theme.margin
        spacing: Theme.gap

        Label {
            text: qsTrId("Menu_Home")
            font.pixelSize: Theme.pageTitleSize
            color: Theme.text
            Accessible.role: Accessible.Heading
        }

        // Placed by hand: wide, the drawing and the summary side by side; narrow, the
        // drawing above and the summary, two blocks a row, below it.
        Item {
            id: body
            Layout.fillWidth: true
            Layout.fillHeight: true

            Card {
                id: drawingCard
                objectName: "lensDrawingCard"
                width: home.wide ? Math.round((body.width - Theme.gap) * 0.58) : body.width
                height: home.wide ? Math.min(body.height, width / 2 + Theme.unit * 2)
                                  : Math.min(body.height, 170 + Theme.unit * 2)
                HomeImageView {
                    id: drawing
                    objectName: "lensDrawing"
                    readonly property real room: Math.min(parent.width - Theme.gap * 2,
                                                          (parent.height - Theme.unit * 2) * 2)
                    width: Math.floor(room)
                    height: Math.floor(room / 2)
                    anchors.centerIn: parent
                    hover_switch: home.hover_switch
                    hover_button: home.hover_button
                    hover_ring: home.hover_ring
                    onHoverSet: (part, inside) => {
                        if (part === "switch") home.hover_switch = inside
                        else if (part === "button") home.hover_button = inside
                        else if (part === "ring") home.hover_ring = inside
                    }
                }
            }

            ScrollView {
                id: summaryScroll
                objectName: "homeSummary"
                x: home.wide ? drawingCard.width + Theme.gap : 0
                y: home.wide ? 0 : drawingCard.height + Theme.gap
                width: body.width - x
                height: body.height - y
                contentWidth: availableWidth
                clip: true

                GridLayout {
                    width: summaryScroll.availableWidth
                    columns: home.wide ? 1 : 2
                    columnSpacing: Theme.gap
                    rowSpacing: Theme.gap

                    // HomeSwitchButtonView
                    SummaryBlock {
                        objectName: "summarySwitch"
                        Layout.fillWidth: true
                        Layout.preferredWidth: 1
                        Layout.alignment: Qt.AlignTop
                        visible: Lens.supports(1)
                        heading: qsTrId("Home_SwitchSetting")
                        picture: "image_switch_3type"
                        page: MenuId.CSW_CBT_SETTING
                        highlighted: home.hover_switch
                        onPointerInsideChanged: home.hover_switch = pointerInside
                        lines: {
                            var rows = new Array()
                            var count = AppViewModel.basic_info.customSwitchStateCount
                            var keys = ["Common_Custom1", "Common_Custom2", "Common_Custom3"]
                            for (var i = 1; i <= Math.min(3, count); ++i)
                                rows.push([qsTrId(keys[i - 1]), home.summary(i)])
                            if (AppViewModel.basic_info.customButtonCount > 0)
                                rows.push([qsTrId("Home_LabelFocusSetButton"), home.summary(0)])
                            return rows
                        }
                    }
                    // HomeButtonView
                    SummaryBlock {
                        objectName: "summaryButton"
                        Layout.fillWidth: true
                        Layout.preferredWidth: 1
                        Layout.alignment: Qt.AlignTop
                        visible: !Lens.supports(1) && Lens.supports(0)
                        heading: qsTrId("Home_ButtonSetting")
                        picture: "image_custom_button"
                        page: MenuId.CBT_SETTING
                        highlighted: home.hover_button
                        onPointerInsideChanged: home.hover_button = pointerInside
                        lines: [[qsTrId("Home_LabelFocusSetButton"), home.summary(0)]]
                    }
                    // HomeRingView
                    SummaryBlock {
                        objectName: "summaryRing"
                        Layout.fillWidth: true
                        Layout.preferredWidth: 1
                        Layout.alignment: Qt.AlignTop
                        visible: Lens.supports(2) || Lens.supports(3) || Lens.supports(4) || Lens.supports(5)
                        heading: qsTrId("Home_RingSetting")
                        picture: "image_ring"
                        page: MenuId.RING_SETTING
                        actionTextId: "Home_SettingButton"
                        onActionActivated: AppViewModel.selected_menu = MenuId.RING_SETTING
                        highlighted: home.hover_ring
                        onPointerInsideChanged: home.hover_ring = pointerInside
                        lines: {
                            var rows = []
                            const vm = AppViewModel.live
                            if (Lens.supports(3)) rows.push([qsTrId("Home_RingDirectionSetting"), vm.ringDirectionText()])
                            if (Lens.supports(4)) rows.push([qsTrId("Home_RingResponseSetting"), vm.ringResponseSummaryText()])
                            if (Lens.supports(5)) rows.push([qsTrId("Home_RingAngleSetting"), vm.ringAngleText()])
                            return rows
                        }
                    }
                    // HomeAdjustView
                    SummaryBlock {
                        objectName: "summaryAdjust"
                        Layout.fillWidth: true
                        Layout.preferredWidth: 1
                        Layout.alignment: Qt.AlignTop
                        visible: Lens.afAdjustable()
                        heading: qsTrId("Home_Adjustment")
                        picture: "image_adjustment"
                        page: MenuId.ADJUSTMENT
                        highlighted: home.hover_adjust
                        onPointerInsideChanged: home.hover_adjust = pointerInside
                        lines: [[qsTrId("Home_AfCustomize"), AppViewModel.live.pintoText()]]
                    }
                }
            }
        }

        Flow {
            Layout.fillWidth: true
            layoutDirection: Qt.RightToLeft
            spacing: Theme.unit
            ActionButton {
                objectName: "resetSettings"
                text: qsTrId("Home_SettingReturn")
                iconName: "icon_reset"
                onActivated: AppViewModel.resetSettings()
            }
            ActionButton {
                objectName: "importSettings"
                text: qsTrId("Home_SettingInput")
                iconName: "icon_import"
                onActivated: AppViewModel.importSettings()
            }
            ActionButton {
                objectName: "exportSettings"
                text: qsTrId("Home_SettingOutput")
                iconName: "icon_export"
                highlighted: true
                onActivated: AppViewModel.exportSettings()
            }
            // Leftmost, apart from the three that move settings.
            ActionButton {
                objectName: "homeBackups"
                flat: true
                text: qsTrId("Home_Backups")
                iconName: "icon_menu_backup_unselected"
                onActivated: AppViewModel.selected_menu = MenuId.BACKUPS
            }
        }
    }
}
