import QtQuick
import QtQuick.Dialogs
import Kelvara.LensUtility

// The save, open and folder panels: made at the first request, then kept so that the next one
// starts in the folder used last.
Item {
    id: requests
    objectName: "fileRequests"
    function show() {
        if (!QuickFileDialogs.pending)
            return
        if (QuickFileDialogs.folder) {
            folderDialog.open()
            return
        }
        const extension = QuickFileDialogs.extension
        dialog.fileMode = QuickFileDialogs.saving ? FileDialog.SaveFile : FileDialog.OpenFile
        dialog.nameFilters = [ "*." + extension ]
        dialog.defaultSuffix = extension
        if (QuickFileDialogs.saving)
            dialog.selectedFile = dialog.currentFolder + "/" + QuickFileDialogs.proposedName
        dialog.open()
    }

    Component.onCompleted: show()
    Connections {
        target: QuickFileDialogs
        function onRequestChanged() { requests.show() }
    }

    FolderDialog {
        id: folderDialog
        objectName: "folderDialog"
        onAccepted: QuickFileDialogs.finish(selectedFolder)
        onRejected: QuickFileDialogs.finish("")
    }

    FileDialog {
        id: dialog
        objectName: "fileDialog"
        nameFilters: [ "*.vdat" ]
        onAccepted: QuickFileDialogs.finish(selectedFile)
        onRejected: QuickFileDialogs.finish("")
    }
}
