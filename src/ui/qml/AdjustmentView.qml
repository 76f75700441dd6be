import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Kelvara.LensUtility

// The AF fine adjustment: its value and how to find the right one.
PageScroll {
    id: page
    objectName: "adjustmentPage"

    TitleView {
        title: qsTrId("Menu_Adjustment")
        onHelpRequested: AppViewModel.message.showTooltip(qsTrId("Adjustment_AfRevision"),
                                                AppViewModel.adjust_item.adjustExplanation(0), "", "", "", "")
    }

    SettingRow {
        key: "Pinto"
        iconName: "icon_menu_adjust_unselected"
        label: qsTrId("Home_AfCustomize")
        value: AppViewModel.live.pintoText()
        onChange: AppViewModel.popup.openPopup(PopupId.AdjustmentPinto, -1)
    }

    Card {
        Layout.fillWidth: true
        implicitHeight: explanation.implicitHeight + Theme.gap * 2
        color: Theme.background
        Label {
            id: explanation
            objectName: "adjustExplanation"
            anchors.fill: parent
            anchors.margins: Theme.gap
            text: AppViewModel.live.adjust_item.adjustExplanation(0)
            color: Theme.subtle
            wrapMode: Text.WordWrap
            lineHeight: 1.15
        }
    }
}
