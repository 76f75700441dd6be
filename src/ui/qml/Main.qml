import QtQuick
import QtQuick.Controls
import QtQuick.Dialogs
import QtQuick.Layouts
import Kelvara.LensUtility

ApplicationWindow {
    id: root
    objectName: "mainWindow"
    width: 1024
    height: 720
    minimumWidth: 800
    minimumHeight: 600
    visible: true
    title: AppViewModel.app_name + " " + AppViewModel.version
    color: Theme.background

    palette.window: Theme.background
    palette.windowText: Theme.text
    palette.base: Theme.surface
    palette.text: Theme.text
    palette.button: Theme.surface
    palette.buttonText: Theme.text
    palette.highlight: Theme.accent
    palette.highlightedText: Theme.textOnAccent
    palette.mid: Theme.border
    palette.light: Theme.surface
    palette.dark: Theme.border
    font.pixelSize: Theme.bodySize

    onClosing: (close) => { close.accepted = Shell.requestClose() }
    Shortcut {
        objectName: "quitShortcut"
        // Not StandardKey.Quit: desktops without a key scheme bind nothing to it.
        sequence: "Ctrl+Q"
        context: Qt.ApplicationShortcut
        onActivated: Shell.willClose()
    }

    RowLayout {
        anchors.fill: parent
        spacing: 0

        SideView {
            objectName: "sideMenu"
            connected: Lens.connected
            customising: Lens.customising()
            visible: AppViewModel.show_menu
            Layout.fillHeight: true
            Layout.preferredWidth: 216
        }

        ColumnLayout {
            Layout.fillWidth: true
            Layout.fillHeight: true
            spacing: 0

            HeaderView { Layout.fillWidth: true; connected: Lens.connected }

            Loader {
                id: page
                objectName: "page"
                Layout.fillWidth: true
                Layout.fillHeight: true
                sourceComponent: {
                    switch (AppViewModel.selected_menu) {
                    case MenuId.CONNECT: return connectPage
                    case MenuId.HOME: return homePage
                    case MenuId.CSW_CBT_SETTING: return customSettingPage
                    case MenuId.CBT_SETTING: return customSettingPage
                    case MenuId.RING_SETTING: return ringSettingPage
                    case MenuId.ADJUSTMENT: return adjustmentPage
                    case MenuId.FIRMWARE_INFO: return firmwarePage
                    case MenuId.VERSION_INFO: return versionPage
                    case MenuId.FUNCTION_DESCRIPTION: return functionDescriptionPage
                    default: return connectPage
                    }
                }
            }

            FooterView { Layout.fillWidth: true }
        }
    }

    Component { id: connectPage; ConnectView { objectName: "connectPage" } }
    Component { id: homePage; HomeView { objectName: "homePage" } }
    Component { id: firmwarePage; FirmwareInfoView { objectName: "firmwarePage" } }
    Component { id: versionPage; VersionInfoView { objectName: "versionPage" } }
    Component { id: customSettingPage; CustomSettingView { objectName: "customSettingPage" } }
    Component { id: ringSettingPage; RingSettingView { objectName: "ringSettingPage" } }
    Component { id: adjustmentPage; AdjustmentView { objectName: "adjustmentPage" } }
    Component { id: functionDescriptionPage; FunctionDescriptionView { objectName: "functionDescriptionPage" } }

    // While a setting is written nothing else may be touched.
    Rectangle {
        objectName: "lockLayer"
        anchors.fill: parent
        visible: AppViewModel.lock
        color: Theme.lock
        z: 50
        MouseArea {
            anchors.fill: parent
            hoverEnabled: true
            acceptedButtons: Qt.AllButtons
            onWheel: (wheel) => { wheel.accepted = true }
        }
        BusyIndicator { anchors.centerIn: parent; running: parent.visible }
    }

    PopupHost {
        anchors.fill: parent
        z: 80
    }

    StartPageView {
        anchors.fill: parent
        z: 90
    }

    MessageView {
        anchors.fill: parent
        z: 100
    }

    FileDialog {
        id: fileDialog
        objectName: "fileDialog"
        nameFilters: [ "*.vdat" ]
        onAccepted: QuickFileDialogs.finish(selectedFile)
        onRejected: QuickFileDialogs.finish("")
    }
    Connections {
        target: QuickFileDialogs
        function onSaveRequested(proposedName, extension) {
            fileDialog.fileMode = FileDialog.SaveFile
            fileDialog.nameFilters = [ "*." + extension ]
            fileDialog.defaultSuffix = extension
            fileDialog.selectedFile = fileDialog.currentFolder + "/" + proposedName
            fileDialog.open()
        }
        function onOpenRequested(extension) {
            fileDialog.fileMode = FileDialog.OpenFile
            fileDialog.nameFilters = [ "*." + extension ]
            fileDialog.defaultSuffix = extension
            fileDialog.open()
        }
    }
}
