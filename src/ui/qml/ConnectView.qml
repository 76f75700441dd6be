pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Kelvara.LensUtility

// Connect the lens, for customising it or for updating its firmware. Each purpose is a
// card with pictures of the connection and its button beside the text, so that both
// buttons fit in the smallest window without scrolling.
ScrollView {
    id: pageView
    objectName: "connectPage"
    contentWidth: availableWidth
    clip: true
    readonly property bool connecting: AppViewModel.connect_state === ConnectState.CONNECTING

    component ConnectButton: ActionButton {
        id: connectButton
        property bool customise
        text: qsTrId("Connect_LensConnect")
        highlighted: true
        enabled: !pageView.connecting
        Layout.alignment: Qt.AlignRight | Qt.AlignBottom
        onActivated: AppViewModel.connectLens(connectButton.customise)
    }

    component Purpose: ColumnLayout {
        property alias pictures: illustration.pictures
        property string textId
        spacing: Theme.unit
        ConnectIllustration {
            id: illustration
            Layout.fillWidth: true
            Layout.preferredHeight: implicitHeight
        }
        Label {
            Layout.fillWidth: true
            text: qsTrId(parent.textId)
            wrapMode: Text.WordWrap
            color: Theme.text
            lineHeight: 1.1
        }
    }

    ColumnLayout {
        width: pageView.availableWidth
        spacing: Theme.gap

        // The title, and beside it the progress of a connection under way.
        RowLayout {
            Layout.topMargin: Theme.margin
            Layout.leftMargin: Theme.margin
            Layout.rightMargin: Theme.margin
            spacing: Theme.gap
            Label {
                Layout.fillWidth: true
                text: qsTrId("Menu_Connect")
                font.pixelSize: Theme.pageTitleSize
                color: Theme.text
                Accessible.role: Accessible.Heading
            }
            AppProgressBar {
                objectName: "connectProgress"
                visible: pageView.connecting
                indeterminate: true
                Layout.preferredWidth: 200
                Accessible.name: qsTrId("Connect_LensConnect")
            }
        }

        // Customisation, with the lens alone or on a camera.
        Card {
            Layout.fillWidth: true
            Layout.leftMargin: Theme.margin
            Layout.rightMargin: Theme.margin
            implicitHeight: customiseColumn.implicitHeight + Theme.gap * 2

            ColumnLayout {
                id: customiseColumn
                anchors.fill: parent
                anchors.margins: Theme.gap
                spacing: Theme.unit

                RowLayout {
                    Layout.fillWidth: true
                    spacing: Theme.margin
                    Purpose {
                        Layout.fillWidth: true
                        Layout.preferredWidth: 1
                        Layout.alignment: Qt.AlignTop
                        pictures: ["image_pc", "image_cable", "image_lens"]
                        textId: "Connect_CustomizeWithoutCamera"
                    }
                    Purpose {
                        Layout.fillWidth: true
                        Layout.preferredWidth: 1
                        Layout.alignment: Qt.AlignTop
                        pictures: ["image_pc", "image_cable", "image_camera", "image_lens"]
                        textId: "Connect_CustomizeWithCamera"
                    }
                }
                RowLayout {
                    Layout.fillWidth: true
                    spacing: Theme.gap
                    WarningBadge { Layout.alignment: Qt.AlignTop }
                    Label {
                        Layout.fillWidth: true
                        Layout.alignment: Qt.AlignVCenter
                        text: qsTrId("Connect_CameraSleepWarning")
                        wrapMode: Text.WordWrap
                        color: Theme.subtle
                        font.pixelSize: Theme.smallSize
                    }
                    ConnectButton {
                        objectName: "connectCustomize"
                        customise: true
                    }
                }
            }
        }

        // Firmware update, with the lens alone.
        Card {
            Layout.fillWidth: true
            Layout.leftMargin: Theme.margin
            Layout.rightMargin: Theme.margin
            implicitHeight: firmwareRow.implicitHeight + Theme.gap * 2

            RowLayout {
                id: firmwareRow
                anchors.fill: parent
                anchors.margins: Theme.gap
                spacing: Theme.gap
                Purpose {
                    Layout.fillWidth: true
                    Layout.alignment: Qt.AlignTop
                    pictures: ["image_pc", "image_cable", "image_lens"]
                    textId: "Connect_FirmwareUpdate"
                }
                ConnectButton {
                    objectName: "connectFirmware"
                    customise: false
                }
            }
        }

        RowLayout {
            Layout.fillWidth: true
            Layout.leftMargin: Theme.margin
            Layout.rightMargin: Theme.margin
            spacing: Theme.unit
            Icon {
                name: "icon_warning"
                size: 18
                color: Theme.warning
                Layout.alignment: Qt.AlignTop
            }
            Label {
                Layout.fillWidth: true
                text: qsTrId("Connect_Procedure")
                wrapMode: Text.WordWrap
                color: Theme.subtle
            }
        }

        Item { Layout.preferredHeight: Theme.unit }
    }
}
