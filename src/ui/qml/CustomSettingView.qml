pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Kelvara.LensUtility

// The functions on the custom switch's positions and the custom button; a lens without
// the switch shows its button only.
PageScroll {
    id: page
    objectName: "customSettingPage"
    readonly property bool switchPage: AppViewModel.selected_menu === MenuId.CSW_CBT_SETTING
    readonly property string title: qsTrId(switchPage ? "Menu_SwitchSetting" : "Menu_ButtonSetting")
    readonly property var slots: {
        var list = new Array()
        if (switchPage) {
            for (var i = 1; i <= Math.min(3, AppViewModel.basic_info.customSwitchStateCount); ++i)
                list.push(i)
            if (AppViewModel.basic_info.customButtonCount > 0)
                list.push(0)
        } else {
            list.push(0)
        }
        return list
    }

    // The help names each function in use on the page once, at most three.
    function showHelp() {
        var labels = [], texts = []
        var functions = AppViewModel.lens_setting.bt_func
        for (var i = 0; i < slots.length && labels.length < 3; ++i) {
            var f = functions[slots[i]]
            var label = AppViewModel.button_item.functionLabel(f)
            if (label !== "" && labels.indexOf(label) < 0) {
                labels.push(label)
                texts.push(AppViewModel.button_item.functionExplanation(f))
            }
        }
        while (labels.length < 3) {
            labels.push("")
            texts.push("")
        }
        AppViewModel.message.showTooltip(title, switchPage ? qsTrId("CustomSetting_CustomSwitchExplanation") : "",
                               labels[0], labels[1], labels[2], texts[0], texts[1], texts[2])
    }

    TitleView {
        title: page.title
        onHelpRequested: page.showHelp()
    }

    Label {
        objectName: "customSwitchExplanation"
        visible: page.switchPage
        Layout.fillWidth: true
        text: qsTrId("CustomSetting_CustomSwitchExplanation")
        color: Theme.subtle
        wrapMode: Text.WordWrap
    }

    Repeater {
        model: page.slots
        CustomSwitchButtonView {
            required property int modelData
            slot: modelData
        }
    }
}
