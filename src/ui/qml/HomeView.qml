import QtQuick
import QtQuick.Controls
import QtQuick.Layouts

// The lens and what its controls do, with saving, loading and resetting the settings.
Item {
    id: home
    property string hoverPart: ""
    readonly property int rev: root.revision
    function summary(slot) { return rev >= 0 ? vm.buttonSummaryText(slot, false) : "" }

    ColumnLayout {
        anchors.fill: parent
        anchors.margins: theme.margin
        spacing: theme.gap

        Label {
            text: qsTrId("Menu_Home")
            font.pixelSize: theme.pageTitleSize
            color: theme.text
        }

        RowLayout {
            Layout.fillWidth: true
            Layout.fillHeight: true
            spacing: theme.gap

            Card {
                Layout.preferredWidth: Math.round(home.width * 0.34)
                Layout.fillHeight: true
                HomeImageView {
                    anchors.centerIn: parent
                    width: parent.width - theme.margin * 2
                    height: Math.min(parent.height - theme.margin * 2, width * 0.6)
                    highlight: home.hoverPart
                }
            }

            ScrollView {
                id: summaryScroll
                Layout.fillWidth: true
                Layout.fillHeight: true
                contentWidth: availableWidth
                clip: true

                ColumnLayout {
                    width: summaryScroll.availableWidth
                    spacing: theme.gap

                    SummaryBlock {
                        objectName: "summarySwitch"
                        Layout.fillWidth: true
                        visible: root.supports(1)
                        heading: qsTrId("Home_SwitchSetting")
                        part: "switch"
                        onHoveredPart: (p) => home.hoverPart = p
                        lines: {
                            var rows = []
                            var count = vm.basic_info.customSwitchStateCount
                            var keys = ["Common_Custom1", "Common_Custom2", "Common_Custom3"]
                            for (var i = 1; i <= Math.min(3, count); ++i)
                                rows.push([qsTrId(keys[i - 1]), home.summary(i)])
                            if (vm.basic_info.customButtonCount > 0)
                                rows.push([qsTrId("Home_LabelFocusSetButton"), home.summary(0)])
                            return rows
                        }
                    }
                    SummaryBlock {
                        objectName: "summaryButton"
                        Layout.fillWidth: true
                        visible: !root.supports(1) && root.supports(0)
                        heading: qsTrId("Home_ButtonSetting")
                        part: "button"
                        onHoveredPart: (p) => home.hoverPart = p
                        lines: [[qsTrId("Home_LabelFocusSetButton"), home.summary(0)]]
                    }
                    SummaryBlock {
                        objectName: "summaryRing"
                        Layout.fillWidth: true
                        visible: root.supports(2) || root.supports(3) || root.supports(4) || root.supports(5)
                        heading: qsTrId("Home_RingSetting")
                        part: "ring"
                        onHoveredPart: (p) => home.hoverPart = p
                        lines: {
                            var rows = []
                            if (home.rev < 0) return rows
                            if (root.supports(3)) rows.push([qsTrId("Home_RingDirectionSetting"), vm.ringDirectionText()])
                            if (root.supports(4)) rows.push([qsTrId("Home_RingResponseSetting"), vm.ringResponseSummaryText()])
                            if (root.supports(5)) rows.push([qsTrId("Home_RingAngleSetting"), vm.ringAngleText()])
                            return rows
                        }
                    }
                    SummaryBlock {
                        objectName: "summaryAdjust"
                        Layout.fillWidth: true
                        visible: root.afVisible()
                        heading: qsTrId("Home_Adjustment")
                        part: ""
                        lines: [[qsTrId("Home_AfCustomize"), home.rev >= 0 ? vm.pintoText() : ""]]
                    }
                }
            }
        }

        Flow {
            Layout.fillWidth: true
            layoutDirection: Qt.RightToLeft
            spacing: theme.unit
            Button { objectName: "resetSettings"; text: qsTrId("Home_SettingReturn"); onClicked: vm.resetSettings() }
            Button { objectName: "importSettings"; text: qsTrId("Home_SettingInput"); onClicked: vm.importSettings() }
            Button { objectName: "exportSettings"; text: qsTrId("Home_SettingOutput"); highlighted: true; onClicked: vm.exportSettings() }
        }
    }
}
