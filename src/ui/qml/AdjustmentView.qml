import QtQuick
import QtQuick.Controls
import QtQuick.Layouts

// The AF fine adjustment: its value and how to find the right one.
PageScroll {
    id: page

    TitleView {
        title: qsTrId("Menu_Adjustment")
        onHelpRequested: vm.message.showTooltip(qsTrId("Adjustment_AfRevision"),
                                                vm.adjust_item.adjustExplanation(0), "", "", "", "")
    }

    SettingRow {
        key: "Pinto"
        iconName: "icon_menu_adjust_unselected"
        label: qsTrId("Home_AfCustomize")
        value: root.revision >= 0 ? vm.pintoText() : ""
        onChange: vm.popup.openPopup(4, -1)
    }

    Card {
        Layout.fillWidth: true
        implicitHeight: explanation.implicitHeight + theme.gap * 2
        color: theme.background
        Label {
            id: explanation
            objectName: "adjustExplanation"
            anchors.fill: parent
            anchors.margins: theme.gap
            text: root.revision >= 0 ? vm.adjust_item.adjustExplanation(0) : ""
            color: theme.subtle
            wrapMode: Text.WordWrap
            lineHeight: 1.15
        }
    }
}
