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

        MenuItemView { menuId: 1; textId: "Menu_Home"; icon: "icon_menu_home_unselected"; selectedIcon: "icon_menu_home_selected"; shown: root.hasCustomising }
        MenuItemView { menuId: 2; textId: "Menu_SwitchSetting"; icon: "icon_menu_swich_unselected"; selectedIcon: "icon_menu_swich_selected"; shown: root.connected && root.supports(1) }
        MenuItemView { menuId: 3; textId: "Menu_ButtonSetting"; icon: "icon_menu_button_unselected"; selectedIcon: "icon_menu_button_selected"; shown: root.connected && !root.supports(1) && root.supports(0) }
        MenuItemView { menuId: 4; textId: "Menu_RingFocusSetting"; icon: "icon_menu_ring_unselected"; selectedIcon: "icon_menu_ring_selected"
            shown: root.connected && (root.supports(2) || root.supports(3) || root.supports(4) || root.supports(5)) }
        MenuItemView { menuId: 5; textId: "Menu_Adjustment"; icon: "icon_menu_adjust_unselected"; selectedIcon: "icon_menu_adjust_selected"; shown: root.connected && root.afVisible() }
        MenuItemView { menuId: 6; textId: "Menu_FirmwareInfo"; icon: "icon_menu_version_unselected"; selectedIcon: "icon_menu_version_selected"; shown: root.connected }
        MenuItemView { menuId: 0; textId: "Menu_Connect"; icon: "icon_menu_connection_unselected"; selectedIcon: "icon_menu_connection_selected"; shown: !root.connected }
        MenuItemView { menuId: 7; textId: "Menu_VersionInfo"; icon: "icon_menu_utility_unselected"; selectedIcon: "icon_menu_utility_selected"; shown: true }
        MenuItemView { menuId: 8; textId: "Menu_FunctionDescription"; icon: "icon_menu_help_unselected"; selectedIcon: "icon_menu_help_selected"; shown: root.hasCustomising }

        Item { Layout.fillHeight: true }

        MenuItemView {
            objectName: "onlineHelp"
            textId: "VersionInfo_OnlineHelp"
            shown: true
            link: true
            icon: "icon_popup"
            onActivated: shell.openUrl("VersionInfo_OnlineHelpURL")
        }
    }
}
