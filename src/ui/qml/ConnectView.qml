import QtQuick
import QtQuick.Controls
import QtQuick.Layouts

// Connect the lens, for customising it or for updating its firmware.
ScrollView {
    id: pageView
    contentWidth: availableWidth
    clip: true
    readonly property bool connecting: vm.connect_state === 1

    ColumnLayout {
        width: pageView.availableWidth
        spacing: theme.gap

        Label {
            Layout.topMargin: theme.margin
            Layout.leftMargin: theme.margin
            text: qsTrId("Menu_Connect")
            font.pixelSize: theme.pageTitleSize
            color: theme.text
        }

        RowLayout {
            Layout.fillWidth: true
            Layout.leftMargin: theme.margin
            Layout.rightMargin: theme.margin
            spacing: theme.gap

            Repeater {
                model: [
                    { name: "connectCustomize", customise: true,
                      texts: ["Connect_CustomizeWithoutCamera", "Connect_CustomizeWithCamera"],
                      warning: "Connect_CameraSleepWarning" },
                    { name: "connectFirmware", customise: false,
                      texts: ["Connect_FirmwareUpdate"], warning: "" }
                ]
                Card {
                    Layout.fillWidth: true
                    Layout.preferredWidth: 1
                    Layout.alignment: Qt.AlignTop
                    implicitHeight: cardColumn.implicitHeight + theme.margin * 2

                    ColumnLayout {
                        id: cardColumn
                        anchors.fill: parent
                        anchors.margins: theme.margin
                        spacing: theme.gap

                        HomeImageView {
                            Layout.alignment: Qt.AlignHCenter
                            Layout.preferredWidth: Math.min(200, cardColumn.width)
                            Layout.preferredHeight: 90
                        }
                        Repeater {
                            model: modelData.texts
                            Label {
                                Layout.fillWidth: true
                                text: qsTrId(modelData)
                                wrapMode: Text.WordWrap
                                color: theme.text
                                lineHeight: 1.15
                            }
                        }
                        RowLayout {
                            visible: modelData.warning !== ""
                            Layout.fillWidth: true
                            spacing: theme.unit
                            WarningBadge { Layout.alignment: Qt.AlignTop }
                            Label {
                                Layout.fillWidth: true
                                text: modelData.warning === "" ? "" : qsTrId(modelData.warning)
                                wrapMode: Text.WordWrap
                                color: theme.subtle
                                font.pixelSize: theme.smallSize
                            }
                        }
                        Item { Layout.fillHeight: true }
                        Button {
                            objectName: modelData.name
                            Layout.alignment: Qt.AlignRight
                            text: qsTrId("Connect_LensConnect")
                            highlighted: true
                            enabled: !pageView.connecting
                            onClicked: vm.connectLens(modelData.customise)
                        }
                    }
                }
            }
        }

        RowLayout {
            Layout.fillWidth: true
            Layout.leftMargin: theme.margin
            Layout.rightMargin: theme.margin
            spacing: theme.unit
            WarningBadge { Layout.alignment: Qt.AlignTop }
            Label {
                Layout.fillWidth: true
                text: qsTrId("Connect_Procedure")
                wrapMode: Text.WordWrap
                color: theme.subtle
            }
        }

        RowLayout {
            objectName: "connectProgress"
            visible: pageView.connecting
            Layout.leftMargin: theme.margin
            Layout.bottomMargin: theme.margin
            spacing: theme.unit
            BusyIndicator { running: pageView.connecting; implicitWidth: 32; implicitHeight: 32 }
            ProgressBar { indeterminate: true; Layout.preferredWidth: 240 }
        }
    }
}
