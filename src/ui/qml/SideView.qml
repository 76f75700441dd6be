import QtQuick
import QtQuick.Controls
import QtQuick.Layouts

// The pages one can go to, as the lens allows.
Rectangle {
    color: theme.menu

    ColumnLayout {
        anchors.fill: parent
        anchors.topMargin: theme.margin
        anchors.bottomMargin: theme.gap
        spacing: 2

        Label {
            text: vm.app_name
            font.pixelSize: theme.titleSize
            font.bold: true
            color: theme.text
            wrapMode: Text.WordWrap
            Layout.fillWidth: true
            Layout.leftMargin: theme.gap
            Layout.rightMargin: theme.gap
            Layout.bottomMargin: theme.gap
        }

        MenuItemView { menuId: 1; textId: "Menu_Home"; shown: root.hasCustomising }
        MenuItemView { menuId: 2; textId: "Menu_SwitchSetting"; shown: root.connected && root.supports(1) }
        MenuItemView { menuId: 3; textId: "Menu_ButtonSetting"; shown: root.connected && !root.supports(1) && root.supports(0) }
        MenuItemView { menuId: 4; textId: "Menu_RingFocusSetting"
            shown: root.connected && (root.supports(2) || root.supports(3) || root.supports(4) || root.supports(5)) }
        MenuItemView { menuId: 5; textId: "Menu_Adjustment"; shown: root.connected && root.afVisible() }
        MenuItemView { menuId: 6; textId: "Menu_FirmwareInfo"; shown: root.connected }
        MenuItemView { menuId: 0; textId: "Menu_Connect"; shown: !root.connected }
        MenuItemView { menuId: 7; textId: "Menu_VersionInfo"; shown: true }
        MenuItemView { menuId: 8; textId: "Menu_FunctionDescription"; shown: root.hasCustomising }

        Item { Layout.fillHeight: true }

        MenuItemView {
            objectName: "onlineHelp"
            textId: "VersionInfo_OnlineHelp"
            shown: true
            link: true
            onActivated: shell.openUrl("VersionInfo_OnlineHelpURL")
        }
    }
}
