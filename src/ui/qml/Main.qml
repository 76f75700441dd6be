import QtQuick
import QtQuick.Controls
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

    // The window's menu, header, page and footer. Under the start page, which covers them,
    // they are built after its first frame, a few at a time.
    Loader {
        objectName: "shell"
        anchors.fill: parent
        asynchronous: Shell.startPageWanted
        sourceComponent: RowLayout {
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
                    // A page is made when it is shown, from its file: pages never shown cost
                    // nothing, not even their imports.
                    source: {
                        switch (AppViewModel.selected_menu) {
                        case MenuId.HOME: return "HomeView.qml"
                        case MenuId.CSW_CBT_SETTING: return "CustomSettingView.qml"
                        case MenuId.CBT_SETTING: return "CustomSettingView.qml"
                        case MenuId.RING_SETTING: return "RingSettingView.qml"
                        case MenuId.ADJUSTMENT: return "AdjustmentView.qml"
                        case MenuId.FIRMWARE_INFO: return "FirmwareInfoView.qml"
                        case MenuId.VERSION_INFO: return "VersionInfoView.qml"
                        case MenuId.FUNCTION_DESCRIPTION: return "FunctionDescriptionView.qml"
                        case MenuId.BACKUPS: return "BackupsView.qml"
                        default: return "ConnectView.qml"
                        }
                    }
                }

                FooterView { Layout.fillWidth: true }
            }
        }
    }

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

    // The overlays below are made when first needed, and kept.
    Loader {
        anchors.fill: parent
        z: 90
        active: Shell.startPageWanted
        source: "StartPageView.qml"
    }

    Loader {
        id: messageBox
        anchors.fill: parent
        z: 100
        active: false
        source: "MessageView.qml"
    }
    Connections {
        target: AppViewModel.message
        function onChanged() {
            if (AppViewModel.message.show_message)
                messageBox.active = true
        }
    }

    Loader {
        id: fileRequests
        active: false
        source: "FileRequests.qml"
    }
    Connections {
        target: QuickFileDialogs
        function onRequestChanged() { fileRequests.active = true }
    }
}
