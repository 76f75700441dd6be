import QtQuick
import QtQuick.Controls
import QtQuick.Layouts

// The utility's version, then its licences or the privacy notice.
Item {
    id: versionPage
    property int version_view_state: 0   // 0 version, 1 licences, 2 personal information

    Label {
        id: pageTitle
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: parent.top
        anchors.margins: theme.margin
        text: qsTrId("Menu_VersionInfo")
        font.pixelSize: theme.pageTitleSize
        color: theme.text
        elide: Text.ElideRight
        Accessible.role: Accessible.Heading
    }

    ScrollView {
        id: about
        objectName: "versionAbout"
        visible: versionPage.version_view_state === 0
        anchors.top: pageTitle.bottom
        anchors.topMargin: theme.gap
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        contentWidth: availableWidth
        clip: true

        ColumnLayout {
            width: about.availableWidth
            spacing: theme.gap

            Card {
                Layout.fillWidth: true
                Layout.leftMargin: theme.margin
                Layout.rightMargin: theme.margin
                implicitHeight: versionColumn.implicitHeight + theme.margin * 2
                ColumnLayout {
                    id: versionColumn
                    anchors.fill: parent
                    anchors.margins: theme.margin
                    spacing: theme.unit
                    Label {
                        Layout.fillWidth: true
                        text: vm.app_name
                        font.pixelSize: theme.titleSize
                        font.bold: true
                        color: theme.text
                        elide: Text.ElideRight
                    }
                    Label {
                        objectName: "versionText"
                        Layout.fillWidth: true
                        text: qsTrId("VersionInfo_Version") + " " + vm.version
                        color: theme.text
                        wrapMode: Text.Wrap
                    }
                    Label {
                        objectName: "versionUpdateExists"
                        visible: vm.is_new
                        Layout.fillWidth: true
                        Layout.topMargin: theme.unit / 2
                        text: qsTrId("VersionInfo_UpdateExist")
                        color: theme.accent
                        font.bold: true
                        wrapMode: Text.Wrap
                    }
                    ActionButton {
                        objectName: "versionDownload"
                        visible: vm.is_new
                        flat: true
                        text: qsTrId("VersionInfo_DownLoad")
                        iconName: "icon_popup"
                        onActivated: shell.openUrl("VersionInfo_DownLoadURL")
                    }
                }
            }

            Card {
                Layout.fillWidth: true
                Layout.leftMargin: theme.margin
                Layout.rightMargin: theme.margin
                implicitHeight: entries.implicitHeight + 2
                ColumnLayout {
                    id: entries
                    anchors.fill: parent
                    anchors.margins: 1
                    spacing: 0
                    Repeater {
                        model: [["versionLicense", "VersionInfo_License", 1],
                                ["versionPersonalInformation", "VersionInfo_PersonalInformation", 2]]
                        ItemDelegate {
                            id: entry
                            objectName: modelData[0]
                            Layout.fillWidth: true
                            leftPadding: theme.margin
                            rightPadding: theme.margin
                            topPadding: theme.gap - 4
                            bottomPadding: theme.gap - 4
                            text: qsTrId(modelData[1])
                            Accessible.name: text
                            onClicked: versionPage.version_view_state = modelData[2]
                            contentItem: RowLayout {
                                spacing: theme.unit
                                Label {
                                    Layout.fillWidth: true
                                    text: entry.text
                                    color: theme.text
                                    elide: Text.ElideRight
                                }
                                Icon { name: "icon_next"; size: 16; color: theme.subtle }
                            }
                            Rectangle {
                                visible: index > 0
                                anchors.top: parent.top
                                anchors.left: parent.left
                                anchors.right: parent.right
                                anchors.leftMargin: theme.margin
                                height: 1
                                color: theme.border
                            }
                        }
                    }
                }
            }

            Label {
                objectName: "versionRights"
                Layout.fillWidth: true
                Layout.leftMargin: theme.margin
                Layout.rightMargin: theme.margin
                Layout.bottomMargin: theme.margin
                text: "\u00a9 2024 Kelvara. All rights reserved.\nKelvara and the Kelvara logo are trademarks of Kelvara."
                color: theme.subtle
                font.pixelSize: theme.smallSize
                wrapMode: Text.Wrap
            }
        }
    }

    ColumnLayout {
        objectName: "versionDocument"
        visible: versionPage.version_view_state !== 0
        anchors.top: pageTitle.bottom
        anchors.topMargin: theme.unit
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.leftMargin: theme.margin
        anchors.rightMargin: theme.margin
        anchors.bottomMargin: theme.margin
        spacing: theme.unit

        RowLayout {
            Layout.fillWidth: true
            spacing: theme.unit
            ActionButton {
                id: backButton
                objectName: "versionBack"
                flat: true
                text: qsTrId("VersionInfo_Back")
                iconName: "icon_prev"
                onActivated: versionPage.version_view_state = 0
            }
            Label {
                Layout.fillWidth: true
                text: versionPage.version_view_state === 1 ? qsTrId("VersionInfo_License")
                                                           : qsTrId("VersionInfo_PersonalInformation")
                font.bold: true
                color: theme.text
                elide: Text.ElideRight
                horizontalAlignment: Text.AlignRight
            }
        }
        Card {
            Layout.fillWidth: true
            Layout.fillHeight: true
            ScrollView {
                id: textScroll
                objectName: "versionDocumentScroll"
                anchors.fill: parent
                anchors.margins: theme.gap
                contentWidth: availableWidth
                clip: true
                Label {
                    objectName: "versionDocumentText"
                    width: textScroll.availableWidth
                    text: versionPage.version_view_state === 1 ? qsTrId("VersionInfo_License_Contents")
                                                               : qsTrId("VersionInfo_PersonalInformation_Contents")
                    wrapMode: Text.Wrap
                    color: theme.text
                    lineHeight: 1.15
                }
            }
        }
        ActionButton {
            objectName: "versionPersonalInformationLink"
            visible: versionPage.version_view_state === 2
            flat: true
            text: qsTrId("VersionInfo_PersonalInformation")
            iconName: "icon_popup"
            onActivated: shell.openUrl("VersionInfo_PersonalInformation_URL")
        }
    }

    // Escape leaves a document for the version page.
    Keys.onEscapePressed: (event) => { event.accepted = version_view_state !== 0; version_view_state = 0 }
    onVersion_view_stateChanged: if (version_view_state !== 0) backButton.forceActiveFocus()
}
