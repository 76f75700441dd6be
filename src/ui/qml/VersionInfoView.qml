import QtQuick
import QtQuick.Controls
import QtQuick.Layouts

// The utility's version, its licences and the privacy notice.
Item {
    id: versionPage
    property int viewState: 0   // 0 version, 1 licences, 2 privacy

    ColumnLayout {
        anchors.fill: parent
        anchors.margins: theme.margin
        spacing: theme.gap

        Label {
            text: qsTrId("Menu_VersionInfo")
            font.pixelSize: theme.pageTitleSize
            color: theme.text
        }

        Card {
            visible: versionPage.viewState === 0
            Layout.fillWidth: true
            implicitHeight: about.implicitHeight + theme.margin * 2
            ColumnLayout {
                id: about
                anchors.fill: parent
                anchors.margins: theme.margin
                spacing: theme.unit
                Label { text: vm.app_name; font.pixelSize: theme.titleSize; font.bold: true; color: theme.text }
                Label { objectName: "versionText"; text: qsTrId("VersionInfo_Version") + " " + vm.version; color: theme.text }
                RowLayout {
                    visible: vm.is_new
                    spacing: theme.unit
                    Label { text: qsTrId("VersionInfo_UpdateExist"); color: theme.accent; font.bold: true }
                    Button { flat: true; text: qsTrId("VersionInfo_DownLoad") + "  \u2197"; onClicked: shell.openUrl("VersionInfo_DownLoadURL") }
                }
                Rectangle { Layout.fillWidth: true; Layout.topMargin: theme.unit; height: 1; color: theme.border }
                Repeater {
                    model: [["VersionInfo_License", 1], ["VersionInfo_PersonalInformation", 2]]
                    ItemDelegate {
                        Layout.fillWidth: true
                        text: qsTrId(modelData[0]) + "  \u203a"
                        onClicked: versionPage.viewState = modelData[1]
                    }
                }
                Label {
                    Layout.topMargin: theme.unit
                    text: "\u00a9 Kelvara. All rights reserved.\nThis utility is provided for owners of Kelvara lenses."
                    color: theme.subtle
                    font.pixelSize: theme.smallSize
                }
            }
        }

        ColumnLayout {
            visible: versionPage.viewState !== 0
            Layout.fillWidth: true
            Layout.fillHeight: true
            spacing: theme.unit
            Button {
                text: "\u2039  " + qsTrId("VersionInfo_Back")
                flat: true
                onClicked: versionPage.viewState = 0
            }
            Card {
                Layout.fillWidth: true
                Layout.fillHeight: true
                ScrollView {
                    id: textScroll
                    anchors.fill: parent
                    anchors.margins: theme.gap
                    contentWidth: availableWidth
                    clip: true
                    Label {
                        width: textScroll.availableWidth
                        text: versionPage.viewState === 1 ? qsTrId("VersionInfo_License_Contents")
                                                          : qsTrId("VersionInfo_PersonalInformation_Contents")
                        wrapMode: Text.WordWrap
                        color: theme.text
                    }
                }
            }
            Button {
                visible: versionPage.viewState === 2
                flat: true
                text: qsTrId("VersionInfo_PersonalInformation") + "  \u2197"
                onClicked: shell.openUrl("VersionInfo_PersonalInformation_URL")
            }
        }

        Item { Layout.fillHeight: true; visible: versionPage.viewState === 0 }
    }
}
