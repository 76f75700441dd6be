import QtQuick
import QtQuick.Controls
import QtQuick.Layouts

// The head of a settings page: the way back home, the page's title, its help and the
// online description of the functions.
ColumnLayout {
    id: bar
    property string title
    property string urlId: "FunctionDescription_FunctionListURL"
    signal helpRequested()

    Layout.fillWidth: true
    spacing: theme.unit

    ActionButton {
        objectName: "pageReturn"
        Layout.leftMargin: -theme.unit
        flat: true
        iconName: "icon_prev"
        text: qsTrId("Common_Return")
        onActivated: vm.selected_menu = 1
    }

    RowLayout {
        Layout.fillWidth: true
        spacing: theme.unit
        Label {
            objectName: "pageTitle"
            Layout.fillWidth: true
            text: bar.title
            font.pixelSize: theme.pageTitleSize
            color: theme.text
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
            onActivated: shell.openUrl(bar.urlId)
        }
    }
}
