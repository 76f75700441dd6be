pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Kelvara.LensUtility

// The automatic backups taken before an import, a reset or a firmware update: the
// connected lens's model first, newest first; each can go back into the lens, be shown
// in the file manager or be deleted.
PageScroll {
    id: page
    objectName: "backupsPage"

    // Another program (the command line) may have added or removed some meanwhile.
    Component.onCompleted: AppViewModel.refreshBackups()

    Label {
        objectName: "pageTitle"
        Layout.fillWidth: true
        text: qsTrId("Menu_Backups")
        font.pixelSize: Theme.pageTitleSize
        color: Theme.text
        wrapMode: Text.WordWrap
        Accessible.role: Accessible.Heading
    }

    Label {
        objectName: "backupsExplanation"
        Layout.fillWidth: true
        text: qsTrId("Backups_Explanation")
        color: Theme.subtle
        wrapMode: Text.WordWrap
    }

    Card {
        objectName: "backupsEmpty"
        visible: AppViewModel.backups.count === 0
        Layout.fillWidth: true
        implicitHeight: empty.implicitHeight + Theme.gap * 2
        color: Theme.background
        Label {
            id: empty
            anchors.fill: parent
            anchors.margins: Theme.gap
            text: qsTrId("Backups_Empty")
            color: Theme.subtle
            wrapMode: Text.WordWrap
        }
    }

    Repeater {
        model: AppViewModel.backups
        Card {
            id: backup
            required property int index
            required property string path
            required property string lensModel
            required property string taken
            required property string reasonTextId
            required property bool currentModel
            objectName: "backup" + index
            Layout.fillWidth: true
            implicitHeight: row.implicitHeight + Theme.gap * 2
            color: currentModel ? Theme.surface : Theme.background

            RowLayout {
                id: row
                anchors.fill: parent
                anchors.margins: Theme.gap
                spacing: Theme.unit

                ColumnLayout {
                    Layout.fillWidth: true
                    spacing: 2
                    Label {
                        objectName: backup.objectName + "_title"
                        Layout.fillWidth: true
                        text: backup.lensModel + "  " + backup.taken
                        font.bold: true
                        color: Theme.text
                        elide: Text.ElideRight
                    }
                    Label {
                        objectName: backup.objectName + "_reason"
                        Layout.fillWidth: true
                        text: qsTrId(backup.reasonTextId)
                        color: Theme.subtle
                        wrapMode: Text.WordWrap
                    }
                }
                ActionButton {
                    objectName: backup.objectName + "_restore"
                    // Only into a lens of the model it was taken from.
                    enabled: Lens.connected && backup.currentModel
                    text: qsTrId("Backups_Restore")
                    iconName: "icon_import"
                    onActivated: AppViewModel.restoreBackup(backup.path)
                }
                ActionButton {
                    objectName: backup.objectName + "_show"
                    flat: true
                    iconOnly: true
                    iconName: "icon_popup"
                    text: qsTrId("Backups_ShowInFolder")
                    onActivated: Shell.showInFolder(backup.path)
                }
                ActionButton {
                    objectName: backup.objectName + "_delete"
                    flat: true
                    iconOnly: true
                    iconName: "icon_delete"
                    text: qsTrId("Backups_Delete")
                    onActivated: AppViewModel.deleteBackup(backup.path)
                }
            }
        }
    }
}
