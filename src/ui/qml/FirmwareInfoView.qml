import QtQuick
import QtQuick.Controls
import QtQuick.Layouts

// The lens's firmware: versions and the update, its progress and its end.
Item {
    id: firmware
    readonly property int state_: vm.download_state

    ColumnLayout {
        anchors.fill: parent
        anchors.margins: theme.margin
        spacing: theme.gap

        Label {
            text: qsTrId("Menu_FirmwareInfo")
            font.pixelSize: theme.pageTitleSize
            color: theme.text
        }

        Card {
            objectName: "firmwareInfo"
            visible: firmware.state_ !== 1 && firmware.state_ !== 2
            Layout.fillWidth: true
            implicitHeight: info.implicitHeight + theme.margin * 2
            ColumnLayout {
                id: info
                anchors.fill: parent
                anchors.margins: theme.margin
                spacing: theme.unit
                Label {
                    text: qsTrId("Firmware_Current") + ":Ver. " + vm.basic_info.displayCurrentVersion
                    color: theme.text; Layout.fillWidth: true; wrapMode: Text.WordWrap
                }
                Label {
                    text: qsTrId("Firmware_Latest") + ":Ver. " + vm.basic_info.displayNewVersion
                    color: theme.text; Layout.fillWidth: true; wrapMode: Text.WordWrap
                }
                RowLayout {
                    visible: vm.basic_info.is_new
                    spacing: theme.unit
                    WarningBadge { tint: theme.accent }
                    Label { text: qsTrId("Firmware_UpdateExists"); color: theme.accent; font.bold: true }
                }
                RowLayout {
                    Layout.fillWidth: true
                    Layout.topMargin: theme.unit
                    spacing: theme.unit
                    Button {
                        flat: true
                        text: qsTrId("Firmware_ContentConfirmation") + "  \u2197"
                        onClicked: shell.openUrl("Firmware_ContentConfirmationURL")
                    }
                    Item { Layout.fillWidth: true }
                    Button {
                        objectName: "firmwareUpdateStart"
                        text: qsTrId("Firmware_UpdateStart")
                        highlighted: true
                        onClicked: vm.startFirmwareUpdate()
                    }
                }
            }
        }

        Card {
            objectName: "firmwareProgress"
            visible: firmware.state_ === 1
            Layout.fillWidth: true
            implicitHeight: progress.implicitHeight + theme.margin * 2
            ColumnLayout {
                id: progress
                anchors.fill: parent
                anchors.margins: theme.margin
                spacing: theme.gap
                Label { text: qsTrId("Firmware_Updating"); color: theme.text; Layout.fillWidth: true; wrapMode: Text.WordWrap }
                ProgressBar { Layout.fillWidth: true; from: 0; to: 1; value: vm.download_progress }
                Label { text: Math.round(vm.download_progress * 100) + " %"; color: theme.subtle }
            }
        }

        Card {
            objectName: "firmwareComplete"
            visible: firmware.state_ === 2
            Layout.fillWidth: true
            implicitHeight: done.implicitHeight + theme.margin * 2
            ColumnLayout {
                id: done
                anchors.fill: parent
                anchors.margins: theme.margin
                spacing: theme.gap
                Label { text: qsTrId("Firmware_UpdateEnd"); color: theme.text; font.bold: true; Layout.fillWidth: true; wrapMode: Text.WordWrap }
                Label { text: qsTrId("Firmware_LensRemoval"); color: theme.text; Layout.fillWidth: true; wrapMode: Text.WordWrap }
                Button {
                    objectName: "firmwareFinish"
                    Layout.alignment: Qt.AlignRight
                    text: qsTrId("Common_Ok")
                    highlighted: true
                    onClicked: vm.finishFirmwareUpdate()
                }
            }
        }
        Item { Layout.fillHeight: true }
    }
}
