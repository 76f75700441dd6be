import QtQuick
import QtQuick.Controls

Item {
    Button { text: qsTrId("Common_Return"); onClicked: vm.selected_menu = 1 }
}
