import QtQuick
import QtQuick.Controls

Card {
    width: 400; height: 200
    Button { text: qsTrId("Common_Ok"); onClicked: vm.popup.confirmPopup() }
}
