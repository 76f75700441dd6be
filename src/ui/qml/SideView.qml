import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Kelvara.LensUtility

// The pages one can go to, as the lens allows.
Rectangle {
    id: side
    required property bool connected
    // A lens is connected for customising and has something to customise.
    required property bool customising
    color: Theme.menu

    ColumnLayout {
        anchors.fill: parent
        anchors.topMargin: Theme.margin
        anchors.bottomMargin: Theme.gap
        spacing: 2

        Label {
            text: AppViewModel.app_name
            font.pixelSize: Theme.titleSize
            font.bold: true
            color: Theme.text
            wrapMode: Text.WordWrap
            Layout.fillWidth: true
            Layout.leftMargin: Theme.gap
            Layout.rightMargin: Theme.gap
            Layout.bottomMargin: Theme.gap
        }

        MenuItemView { menuId: MenuId.HOME; textId: "Menu_Home"; icon: "icon_menu_home_unselected"; selectedIcon: "icon_menu_home_selected"; shown: side.customising }
        MenuItemView { menuId: MenuId.CSW_CBT_SETTING; textId: "Menu_SwitchSetting"; icon: "icon_menu_swich_unselected"; selectedIcon: "icon_menu_swich_selected"; shown: side.connected && Lens.supports(1) }
        MenuItemView { menuId: MenuId.CBT_SETTING; textId: "Menu_ButtonSetting"; icon: "icon_menu_button_unselected"; selectedIcon: "icon_menu_button_selected"; shown: side.connected && !Lens.supports(1) && Lens.supports(0) }
        MenuItemView { menuId: MenuId.RING_SETTING; textId: "Menu_RingFocusSetting"; icon: "icon_menu_ring_unselected"; selectedIcon: "icon_menu_ring_selected"
            shown: side.connected && (Lens.supports(2) || Lens.supports(3) || Lens.supports(4) || Lens.supports(5)) }
        MenuItemView { menuId: MenuId.ADJUSTMENT; textId: "Menu_Adjustment"; icon: "icon_menu_adjust_unselected"; selectedIcon: "icon_menu_adjust_selected"; shown: side.connected && Lens.afAdjustable() }
        MenuItemView { menuId: MenuId.FIRMWARE_INFO; textId: "Menu_FirmwareInfo"; icon: "icon_menu_version_unselected"; selectedIcon: "icon_menu_version_selected"; shown: side.connected }
        MenuItemView { menuId: MenuId.BACKUPS; textId: "Menu_Backups"; icon: "icon_menu_backup_unselected"; selectedIcon: "icon_menu_backup_selected"; shown: side.connected }
        MenuItemView { menuId: MenuId.CONNECT; textId: "Menu_Connect"; icon: "icon_menu_connection_unselected"; selectedIcon: "icon_menu_connection_selected"; shown: !side.connected }
        MenuItemView { menuId: MenuId.VERSION_INFO; textId: "Menu_VersionInfo"; icon: "icon_menu_utility_unselected"; selectedIcon: "icon_menu_utility_selected"; shown: true }
        MenuItemView { menuId: MenuId.FUNCTION_DESCRIPTION; textId: "Menu_FunctionDescription"; icon: "icon_menu_help_unselected"; selectedIcon: "icon_menu_help_selected"; shown: side.customising }

        Item { Layout.fillHeight: true }

        MenuItemView {
            objectName: "onlineHelp"
            textId: "VersionInfo_OnlineHelp"
            shown: true
            link: true
            icon: "icon_popup"
            onActivated: Shell.openUrl("VersionInfo_OnlineHelpURL")
        }
    }
}
