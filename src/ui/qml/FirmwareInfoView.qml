import QtQuick
import QtQuick.Controls
import QtQuick.Layouts

// The lens's firmware: its versions and the update, then the update's progress and its
// end. Which of the three shows follows the transfer's state.
ScrollView {
    id: firmware
    contentWidth: availableWidth
    clip: true
    readonly property int transfer: vm.download_state   // 0 idle, 1 under way, 2 complete
    readonly property real percent: Math.round(vm.download_progress * 100)

    ColumnLayout {
        width: firmware.availableWidth
        spacing: theme.gap

        Label {
            Layout.topMargin: theme.margin
            Layout.leftMargin: theme.margin
            Layout.rightMargin: theme.margin
            Layout.fillWidth: true
            text: qsTrId("Menu_FirmwareInfo")
            font.pixelSize: theme.pageTitleSize
            color: theme.text
            elide: Text.ElideRight
            Accessible.role: Accessible.Heading
        }

        Card {
            objectName: "firmwareInfo"
            visible: firmware.transfer !== 1 && firmware.transfer !== 2
            Layout.fillWidth: true
            Layout.leftMargin: theme.margin
            Layout.rightMargin: theme.margin
            implicitHeight: info.implicitHeight + theme.margin * 2

            ColumnLayout {
                id: info
                anchors.fill: parent
                anchors.margins: theme.margin
                spacing: theme.unit

                Label {
                    objectName: "firmwareCurrent"
                    Layout.fillWidth: true
                    text: qsTrId("Firmware_Current") + ":Ver. " + vm.basic_info.displayCurrentVersion
                    color: theme.text
                    wrapMode: Text.Wrap
                }
                Label {
                    objectName: "firmwareLatest"
                    Layout.fillWidth: true
                    text: qsTrId("Firmware_Latest") + ":Ver. " + vm.basic_info.displayNewVersion
                    color: theme.text
                    wrapMode: Text.Wrap
                }
                Label {
                    objectName: "firmwareUpdateExists"
                    visible: vm.basic_info.is_new
                    Layout.fillWidth: true
                    Layout.topMargin: theme.unit / 2
                    text: qsTrId("Firmware_UpdateExists")
                    color: theme.accent
                    font.bold: true
                    wrapMode: Text.Wrap
                }
                Rectangle { Layout.fillWidth: true; Layout.topMargin: theme.unit; height: 1; color: theme.border }
                Flow {
                    Layout.fillWidth: true
                    Layout.topMargin: theme.unit
                    spacing: theme.unit
                    layoutDirection: Qt.RightToLeft
                    ActionButton {
                        objectName: "firmwareUpdateStart"
                        text: qsTrId("Firmware_UpdateStart")
                        highlighted: true
                        iconName: "icon_next"
                        onActivated: vm.startFirmwareUpdate()
                    }
                    ActionButton {
                        objectName: "firmwareContent"
                        flat: true
                        text: qsTrId("Firmware_ContentConfirmation")
                        iconName: "icon_popup"
                        onActivated: shell.openFirmwareContent()
                    }
                }
            }
        }

        Card {
            objectName: "firmwareProgress"
            visible: firmware.transfer === 1
            Layout.fillWidth: true
            Layout.leftMargin: theme.margin
            Layout.rightMargin: theme.margin
            implicitHeight: progress.implicitHeight + theme.margin * 2

            ColumnLayout {
                id: progress
                anchors.fill: parent
                anchors.margins: theme.margin
                spacing: theme.gap
                RowLayout {
                    Layout.fillWidth: true
                    spacing: theme.gap
                    Label {
                        Layout.fillWidth: true
                        text: qsTrId("Firmware_Updating")
                        color: theme.text
                        font.bold: true
                        wrapMode: Text.Wrap
                    }
                    Label {
                        objectName: "firmwarePercent"
                        Layout.alignment: Qt.AlignTop
                        text: firmware.percent + " %"
                        color: theme.subtle
                    }
                }
                AppProgressBar {
                    objectName: "firmwareProgressBar"
                    Layout.fillWidth: true
                    from: 0
                    to: 1
                    value: vm.download_progress
                    Accessible.name: qsTrId("Firmware_Updating")
                }
            }
        }

        Card {
            objectName: "firmwareComplete"
            visible: firmware.transfer === 2
            Layout.fillWidth: true
            Layout.leftMargin: theme.margin
            Layout.rightMargin: theme.margin
            implicitHeight: done.implicitHeight + theme.margin * 2

            ColumnLayout {
                id: done
                anchors.fill: parent
                anchors.margins: theme.margin
                spacing: theme.gap
                Label {
                    Layout.fillWidth: true
                    text: qsTrId("Firmware_UpdateEnd")
                    color: theme.text
                    font.bold: true
                    font.pixelSize: theme.titleSize
                    wrapMode: Text.Wrap
                    Accessible.role: Accessible.Heading
                }
                Label {
                    Layout.fillWidth: true
                    text: qsTrId("Firmware_LensRemoval")
                    color: theme.text
                    wrapMode: Text.Wrap
                    lineHeight: 1.2
                }
                ActionButton {
                    id: finishButton
                    objectName: "firmwareFinish"
                    Layout.alignment: Qt.AlignRight
                    text: qsTrId("Common_Ok")
                    highlighted: true
                    onActivated: vm.finishFirmwareUpdate()
                }
                // Return ends it as soon as it shows.
                onVisibleChanged: if (visible) finishButton.forceActiveFocus()
            }
        }

        Item { Layout.preferredHeight: theme.margin }
    }
}
