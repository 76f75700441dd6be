pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Kelvara.LensUtility

// The utility's version, then its licences or the privacy notice.
Item {
    id: versionPage
    objectName: "versionPage"
    property int version_view_state: 0   // 0 version, 1 licences, 2 personal information

    Label {
        id: pageTitle
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: parent.top
        anchors.margins: Theme.margin
        text: qsTrId("Menu_VersionInfo")
        font.pixelSize: Theme.pageTitleSize
        color: Theme.text
        elide: Text.ElideRight
        Accessible.role: Accessible.Heading
    }

    ScrollView {
        id: about
        objectName: "versionAbout"
        visible: versionPage.version_view_state === 0
        anchors.top: pageTitle.bottom
        anchors.topMargin: Theme.gap
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        contentWidth: availableWidth
        clip: true

        ColumnLayout {
            width: about.availableWidth
            spacing: Theme.gap

            Card {
                Layout.fillWidth: true
                Layout.leftMargin: Theme.margin
                Layout.rightMargin: Theme.margin
                implicitHeight: versionColumn.implicitHeight + Theme.margin * 2
                ColumnLayout {
                    id: versionColumn
                    anchors.fill: parent
                    anchors.margins: Theme.margin
                    spacing: Theme.unit
                    Label {
                        Layout.fillWidth: true
                        text: AppViewModel.app_name
                        font.pixelSize: Theme.titleSize
                        font.bold: true
                        color: Theme.text
                        elide: Text.ElideRight
                    }
                    Label {
                        objectName: "versionText"
                        Layout.fillWidth: true
                        text: qsTrId("VersionInfo_Version") + " " + AppViewModel.version
                        color: Theme.text
                        wrapMode: Text.Wrap
                    }
                    Label {
                        objectName: "versionUpdateExists"
                        visible: AppViewModel.is_new
                        Layout.fillWidth: true
                        Layout.topMargin: Theme.unit / 2
                        text: qsTrId("VersionInfo_UpdateExist")
                        color: Theme.accent
                        font.bold: true
                        wrapMode: Text.Wrap
                    }
                    ActionButton {
                        objectName: "versionDownload"
                        visible: AppViewModel.is_new
                        flat: true
                        text: qsTrId("VersionInfo_DownLoad")
                        iconName: "icon_popup"
                        onActivated: Shell.openUrl("VersionInfo_DownLoadURL")
                    }
                    ActionButton {
                        objectName: "versionLogFolder"
                        Layout.leftMargin: -Theme.unit
                        flat: true
                        text: qsTrId("VersionInfo_OpenLogFolder")
                        iconName: "icon_popup"
                        onActivated: Shell.openLogFolder()
                    }
                }
            }

            Card {
                Layout.fillWidth: true
                Layout.leftMargin: Theme.margin
                Layout.rightMargin: Theme.margin
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
                            required property var modelData
                            required property int index
                            id: entry
                            objectName: entry.modelData[0]
                            Layout.fillWidth: true
                            leftPadding: Theme.margin
                            rightPadding: Theme.margin
                            topPadding: Theme.gap - 4
                            bottomPadding: Theme.gap - 4
                            text: qsTrId(entry.modelData[1])
                            Accessible.name: text
                            onClicked: versionPage.version_view_state = entry.modelData[2]
                            contentItem: RowLayout {
                                spacing: Theme.unit
                                Label {
                                    Layout.fillWidth: true
                                    text: entry.text
                                    color: Theme.text
                                    elide: Text.ElideRight
                                }
                                Icon { name: "icon_next"; size: 16; color: Theme.subtle }
                            }
                            Rectangle {
                                visible: entry.index > 0
                                anchors.top: parent.top
                                anchors.left: parent.left
                                anchors.right: parent.right
                                anchors.leftMargin: Theme.margin
                                height: 1
                                color: Theme.border
                            }
                        }
                    }
                }
            }

            Label {
                objectName: "versionRights"
                Layout.fillWidth: true
                Layout.leftMargin: Theme.margin
                Layout.rightMargin: Theme.margin
                Layout.bottomMargin: Theme.margin
                text: "\u00a9 2024 Kelvara. All rights reserved.\nKelvara and the Kelvara logo are trademarks of Kelvara."
                color: Theme.subtle
                font.pixelSize: Theme.smallSize
                wrapMode: Text.Wrap
            }
        }
    }

    ColumnLayout {
        objectName: "versionDocument"
        visible: versionPage.version_view_state !== 0
        anchors.top: pageTitle.bottom
        anchors.topMargin: Theme.unit
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.leftMargin: Theme.margin
        anchors.rightMargin: Theme.margin
        anchors.bottomMargin: Theme.margin
        spacing: Theme.unit

        RowLayout {
            Layout.fillWidth: true
            spacing: Theme.unit
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
                color: Theme.text
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
                anchors.margins: Theme.gap
                contentWidth: availableWidth
                clip: true
                Label {
                    objectName: "versionDocumentText"
                    width: textScroll.availableWidth
                    text: versionPage.version_view_state === 1 ? qsTrId("VersionInfo_License_Contents")
                                                               : qsTrId("VersionInfo_PersonalInformation_Contents")
                    wrapMode: Text.Wrap
                    color: Theme.text
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
            onActivated: Shell.openUrl("VersionInfo_PersonalInformation_URL")
        }
    }

    // Escape leaves a document for the version page.
    Keys.onEscapePressed: (event) => { event.accepted = version_view_state !== 0; version_view_state = 0 }
    onVersion_view_stateChanged: if (version_view_state !== 0) backButton.forceActiveFocus()
}
