import QtQuick
import QtQuick.Controls
import QtQuick.Layouts

// The pages not built yet in the window: points to the home page.
Item {
    ColumnLayout {
        anchors.fill: parent
        anchors.margins: theme.margin
        spacing: theme.gap
        Button {
            flat: true
            text: "\u2039  " + qsTrId("Common_Return")
            onClicked: vm.selected_menu = 1
        }
        Item { Layout.fillHeight: true }
    }
}
