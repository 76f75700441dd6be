import QtQuick
import QtQuick.Controls
import QtQuick.Layouts

// Connect the lens, for customising it or for updating its firmware. Each purpose is a
// card with pictures of the connection and its button beside the text, so that both
// buttons fit in the smallest window without scrolling.
ScrollView {
    id: pageView
    contentWidth: availableWidth
    clip: true
    readonly property bool connecting: vm.connect_state === 1

    component ConnectButton: ActionButton {
        property bool customise
        text: qsTrId("Connect_LensConnect")
        highlighted: true
        enabled: !pageView.connecting
        Layout.alignment: Qt.AlignRight | Qt.AlignBottom
        onActivated: vm.connectLens(customise)
    }

    component Purpose: ColumnLayout {
        property alias pictures: illustration.pictures
        property string textId
        spacing: theme.unit
        ConnectIllustration {
            id: illustration
            Layout.fillWidth: true
            Layout.preferredHeight: implicitHeight
        }
        Label {
            Layout.fillWidth: true
            text: qsTrId(parent.textId)
            wrapMode: Text.WordWrap
            color: theme.text
            lineHeight: 1.1
        }
    }

    ColumnLayout {
        width: pageView.availableWidth
        spacing: theme.gap

        // The title, and beside it the progress of a connection under way.
        RowLayout {
            Layout.topMargin: theme.margin
            Layout.leftMargin: theme.margin
            Layout.rightMargin: theme.margin
            spacing: theme.gap
            Label {
                Layout.fillWidth: true
                text: qsTrId("Menu_Connect")
                font.pixelSize: theme.pageTitleSize
                color: theme.text
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
            Layout.leftMargin: theme.margin
            Layout.rightMargin: theme.margin
            implicitHeight: customiseColumn.implicitHeight + theme.gap * 2

            ColumnLayout {
                id: customiseColumn
                anchors.fill: parent
                anchors.margins: theme.gap
                spacing: theme.unit

                RowLayout {
                    Layout.fillWidth: true
                    spacing: theme.margin
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
                    spacing: theme.gap
                    WarningBadge { Layout.alignment: Qt.AlignTop }
                    Label {
                        Layout.fillWidth: true
                        Layout.alignment: Qt.AlignVCenter
                        text: qsTrId("Connect_CameraSleepWarning")
                        wrapMode: Text.WordWrap
                        color: theme.subtle
                        font.pixelSize: theme.smallSize
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
            Layout.leftMargin: theme.margin
            Layout.rightMargin: theme.margin
            implicitHeight: firmwareRow.implicitHeight + theme.gap * 2

            RowLayout {
                id: firmwareRow
                anchors.fill: parent
                anchors.margins: theme.gap
                spacing: theme.gap
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
            Layout.leftMargin: theme.margin
            Layout.rightMargin: theme.margin
            spacing: theme.unit
            Icon {
                name: "icon_warning"
                size: 18
                color: theme.warning
                Layout.alignment: Qt.AlignTop
            }
            Label {
                Layout.fillWidth: true
                text: qsTrId("Connect_Procedure")
                wrapMode: Text.WordWrap
                color: theme.subtle
            }
        }

        Item { Layout.preferredHeight: theme.unit }
    }
}
