import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Kelvara.LensUtility

// The head of a settings page: the way back home, the page's title, its help and the
// online description of the functions.
ColumnLayout {
    id: bar
    property string title
    property string urlId: "FunctionDescription_FunctionListURL"
    signal helpRequested()

    Layout.fillWidth: true
    spacing: Theme.unit

    ActionButton {
        objectName: "pageReturn"
        Layout.leftMargin: -Theme.unit
        flat: true
        iconName: "icon_prev"
        text: qsTrId("Common_Return")
        onActivated: AppViewModel.selected_menu = MenuId.HOME
    }

    RowLayout {
        Layout.fillWidth: true
        spacing: Theme.unit
        Label {
            objectName: "pageTitle"
            Layout.fillWidth: true
            text: bar.title
            font.pixelSize: Theme.pageTitleSize
            color: Theme.text
            wrapMode: Text.WordWrap
            Accessible.role: Accessible.Heading
            Accessible.name: text
        }
        ActionButton {
            objectName: "pageHelp"
            flat: true
            iconOnly: true
            iconName: "icon_help"
            text: qsTrId("Common_Help")
            onActivated: bar.helpRequested()
        }
        ActionButton {
            objectName: "pageWeb"
            flat: true
            iconOnly: true
            iconName: "icon_web"
            text: qsTrId("VersionInfo_OnlineHelp")
            onActivated: Shell.openUrl(bar.urlId)
        }
    }
}
