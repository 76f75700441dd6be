import QtQuick
import QtQuick.Controls
import QtQuick.Dialogs
import QtQuick.Layouts

ApplicationWindow {
    id: root
    objectName: "mainWindow"
    width: 1024
    height: 720
    minimumWidth: 800
    minimumHeight: 600
    visible: true
    title: vm.app_name + " " + vm.version
    color: theme.background

    // Bumped whenever a lens setting or the lens changes, so that texts computed by the
    // controller's functions are read again.
    property int revision: 0
    Connections {
        target: vm
        function onModelChanged() { root.revision++ }
        function onConnect_stateChanged() { root.revision++ }
    }
    Connections {
        target: vm.basic_info
        function onChanged() { root.revision++ }
    }

    readonly property bool connected: vm.connect_state === 2
    function supports(bit) { return revision >= 0 && vm.basic_info.isSettingSupported(bit) }
    function afVisible() { return revision >= 0 && vm.basic_info.isAFCustomizeVisible() }
    readonly property bool hasCustomising: connected && (supports(1) || supports(0) || supports(2)
        || supports(3) || supports(4) || supports(5) || afVisible())

    SystemPalette { id: systemPalette; colorGroup: SystemPalette.Active }
    Theme { id: theme; systemWindow: systemPalette.window }

    palette.window: theme.background
    palette.windowText: theme.text
    palette.base: theme.surface
    palette.text: theme.text
    palette.button: theme.surface
    palette.buttonText: theme.text
    palette.highlight: theme.accent
    palette.highlightedText: theme.textOnAccent
    palette.mid: theme.border
    palette.light: theme.surface
    palette.dark: theme.border
    font.pixelSize: theme.bodySize

    onClosing: (close) => { close.accepted = shell.requestClose() }
    Shortcut {
        objectName: "quitShortcut"
        // Not StandardKey.Quit: desktops without a key scheme bind nothing to it.
        sequence: "Ctrl+Q"
        context: Qt.ApplicationShortcut
        onActivated: shell.willClose()
    }

    RowLayout {
        anchors.fill: parent
        spacing: 0

        SideView {
            objectName: "sideMenu"
            visible: vm.show_menu
            Layout.fillHeight: true
            Layout.preferredWidth: 216
        }

        ColumnLayout {
            Layout.fillWidth: true
            Layout.fillHeight: true
            spacing: 0

            HeaderView { Layout.fillWidth: true }

            Loader {
                id: page
                objectName: "page"
                Layout.fillWidth: true
                Layout.fillHeight: true
                sourceComponent: {
                    switch (vm.selected_menu) {
                    case 0: return connectPage
                    case 1: return homePage
                    case 2: return customSettingPage
                    case 3: return customSettingPage
                    case 4: return ringSettingPage
                    case 5: return adjustmentPage
                    case 6: return firmwarePage
                    case 7: return versionPage
                    case 8: return functionDescriptionPage
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
        visible: vm.lock
        color: theme.lock
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
        onAccepted: fileDialogs.finish(selectedFile)
        onRejected: fileDialogs.finish("")
    }
    Connections {
        target: fileDialogs
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
