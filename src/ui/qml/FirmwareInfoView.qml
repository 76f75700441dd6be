import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Kelvara.LensUtility

// The lens's firmware: its versions and the update, then the update's progress and its
// end. Which of the three shows follows the transfer's state.
ScrollView {
    id: firmware
    objectName: "firmwarePage"
    contentWidth: availableWidth
    clip: true
    readonly property int transfer: AppViewModel.download_state
    readonly property real percent: Math.round(AppViewModel.download_progress * 100)

    ColumnLayout {
        width: firmware.availableWidth
        spacing: Theme.gap

        Label {
            Layout.topMargin: Theme.margin
            Layout.leftMargin: Theme.margin
            Layout.rightMargin: Theme.margin
            Layout.fillWidth: true
            text: qsTrId("Menu_FirmwareInfo")
            font.pixelSize: Theme.pageTitleSize
            color: Theme.text
            elide: Text.ElideRight
            Accessible.role: Accessible.Heading
        }

        Card {
            objectName: "firmwareInfo"
            visible: firmware.transfer !== UpdateState.Start && firmware.transfer !== UpdateState.Complete
            Layout.fillWidth: true
            Layout.leftMargin: Theme.margin
            Layout.rightMargin: Theme.margin
            implicitHeight: info.implicitHeight + Theme.margin * 2

            ColumnLayout {
                id: info
                anchors.fill: parent
                anchors.margins: Theme.margin
                spacing: Theme.unit

                Label {
                    objectName: "firmwareCurrent"
                    Layout.fillWidth: true
                    text: qsTrId("Firmware_Current") + ":Ver. " + AppViewModel.basic_info.displayCurrentVersion
                    color: Theme.text
                    wrapMode: Text.Wrap
                }
                Label {
                    objectName: "firmwareLatest"
                    Layout.fillWidth: true
                    text: qsTrId("Firmware_Latest") + ":Ver. " + AppViewModel.basic_info.displayNewVersion
                    color: Theme.text
                    wrapMode: Text.Wrap
                }
                Label {
                    objectName: "firmwareUpdateExists"
                    visible: AppViewModel.basic_info.is_new
                    Layout.fillWidth: true
                    Layout.topMargin: Theme.unit / 2
                    text: qsTrId("Firmware_UpdateExists")
                    color: Theme.accent
                    font.bold: true
                    wrapMode: Text.Wrap
                }
                Rectangle { Layout.fillWidth: true; Layout.topMargin: Theme.unit; height: 1; color: Theme.border }
                Flow {
                    Layout.fillWidth: true
                    Layout.topMargin: Theme.unit
                    spacing: Theme.unit
                    layoutDirection: Qt.RightToLeft
                    ActionButton {
                        objectName: "firmwareUpdateStart"
                        text: qsTrId("Firmware_UpdateStart")
                        highlighted: true
                        iconName: "icon_next"
                        onActivated: AppViewModel.startFirmwareUpdate()
                    }
                    // A copy of the update server made beforehand (kelvara-lens-cli mirror).
                    ActionButton {
                        objectName: "firmwareUpdateFromFolder"
                        flat: true
                        text: qsTrId("Firmware_UpdateFromFolder")
                        iconName: "icon_import"
                        onActivated: AppViewModel.startFirmwareUpdateFromFolder()
                    }
                    ActionButton {
                        objectName: "firmwareContent"
                        flat: true
                        text: qsTrId("Firmware_ContentConfirmation")
                        iconName: "icon_popup"
                        onActivated: Shell.openFirmwareContent()
                    }
                }
            }
        }

        Card {
            objectName: "firmwareProgress"
            visible: firmware.transfer === UpdateState.Start
            Layout.fillWidth: true
            Layout.leftMargin: Theme.margin
            Layout.rightMargin: Theme.margin
            implicitHeight: progress.implicitHeight + Theme.margin * 2

            ColumnLayout {
                id: progress
                anchors.fill: parent
                anchors.margins: Theme.margin
                spacing: Theme.gap
                RowLayout {
                    Layout.fillWidth: true
                    spacing: Theme.gap
                    Label {
                        Layout.fillWidth: true
                        text: qsTrId("Firmware_Updating")
                        color: Theme.text
                        font.bold: true
                        wrapMode: Text.Wrap
                    }
                    Label {
                        objectName: "firmwarePercent"
                        Layout.alignment: Qt.AlignTop
                        text: firmware.percent + " %"
                        color: Theme.subtle
                    }
                }
                AppProgressBar {
                    objectName: "firmwareProgressBar"
                    Layout.fillWidth: true
                    from: 0
                    to: 1
                    value: AppViewModel.download_progress
                    Accessible.name: qsTrId("Firmware_Updating")
                }
            }
        }

        Card {
            objectName: "firmwareComplete"
            visible: firmware.transfer === UpdateState.Complete
            Layout.fillWidth: true
            Layout.leftMargin: Theme.margin
            Layout.rightMargin: Theme.margin
            implicitHeight: done.implicitHeight + Theme.margin * 2

            ColumnLayout {
                id: done
                anchors.fill: parent
                anchors.margins: Theme.margin
                spacing: Theme.gap
                Label {
                    Layout.fillWidth: true
                    text: qsTrId("Firmware_UpdateEnd")
                    color: Theme.text
                    font.bold: true
                    font.pixelSize: Theme.titleSize
                    wrapMode: Text.Wrap
                    Accessible.role: Accessible.Heading
                }
                Label {
                    Layout.fillWidth: true
                    visible: AppViewModel.installed_version === ""
                    text: AppViewModel.reconnecting ? qsTrId("Firmware_Reconnecting")
                                                    : qsTrId("Firmware_LensRemoval")
                    color: Theme.text
                    wrapMode: Text.Wrap
                    lineHeight: 1.2
                }
                // The version the lens reports once it has been connected again.
                Label {
                    objectName: "firmwareInstalled"
                    visible: AppViewModel.installed_version !== ""
                    Layout.fillWidth: true
                    text: qsTrId("Firmware_Current") + ":Ver. " + AppViewModel.installed_version
                    color: Theme.text
                    wrapMode: Text.Wrap
                }
                Flow {
                    Layout.fillWidth: true
                    spacing: Theme.unit
                    layoutDirection: Qt.RightToLeft
                    ActionButton {
                        id: finishButton
                        objectName: "firmwareFinish"
                        text: qsTrId("Common_Ok")
                        highlighted: true
                        onActivated: AppViewModel.finishFirmwareUpdate()
                    }
                    ActionButton {
                        objectName: "firmwareReconnect"
                        visible: AppViewModel.installed_version === ""
                        enabled: !AppViewModel.reconnecting
                        flat: true
                        text: qsTrId("Firmware_Reconnect")
                        iconName: "icon_next"
                        onActivated: AppViewModel.reconnectAfterUpdate()
                    }
                }
                // Return ends it as soon as it shows.
                onVisibleChanged: if (visible) finishButton.forceActiveFocus()
            }
        }

        Item { Layout.preferredHeight: Theme.margin }
    }
}
