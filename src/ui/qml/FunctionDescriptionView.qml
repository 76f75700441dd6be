pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Kelvara.LensUtility

// What each function the attached lens offers does: the custom controls' functions, the
// focus ring settings and the adjustment.
PageScroll {
    id: page
    objectName: "functionDescriptionPage"

    // Online descriptions by button function; functions without one are missing.
    readonly property var helpUrls: ({
        1: "HelpURL_AfMfSwitch", 2: "HelpURL_AfMfSwitch",
        3: "HelpURL_AFLimit", 4: "HelpURL_AFLimit", 6: "HelpURL_AFLimit", 7: "HelpURL_AFLimit",
        5: "HelpURL_CameraFunction",
        8: "HelpURL_FocusPreset", 22: "HelpURL_FocusPreset", 24: "HelpURL_FocusPreset",
        9: "HelpURL_ABFocus", 23: "HelpURL_ABFocus", 25: "HelpURL_ABFocus",
        12: "HelpURL_RingFunction", 13: "HelpURL_RingFunction",
        14: "HelpURL_InfLock", 15: "HelpURL_InfLock",
        16: "HelpURL_MFLimit", 17: "HelpURL_MFLimit"
    })

    // The selectable button functions, each label once (variants of one function, such
    // as click and long press, share it), described by the first of them.
    readonly property var customFunctions: {
        var list = [], seen = []
        const vm = AppViewModel.live
        if (!Lens.connected)
            return list
        var labels = vm.button_item.function_labels
        for (var raw = 0; raw < labels.length; ++raw) {
            if (!vm.button_item.isFunctionSelectable(raw) || seen.indexOf(labels[raw]) >= 0)
                continue
            seen.push(labels[raw])
            list.push({ key: "custom_" + raw, label: labels[raw],
                        explanation: vm.button_item.functionExplanation(raw),
                        url: helpUrls[raw] || "" })
        }
        return list
    }
    readonly property var ringFunctions: {
        var list = []
        const vm = AppViewModel.live
        if (!Lens.connected)
            return list
        for (var id = 0; id < vm.ring_item.function_labels.length; ++id) {
            if (vm.ring_item.isRingFunctionSupported(id))
                list.push({ key: "ring_" + id, label: vm.ring_item.function_labels[id],
                            explanation: vm.ring_item.ringExplanation(id), url: "" })
        }
        return list
    }
    readonly property var adjustFunctions: Lens.connected && Lens.afAdjustable()
        ? [{ key: "adjust_0", label: AppViewModel.live.adjust_item.function_labels[0],
             explanation: AppViewModel.live.adjust_item.adjustExplanation(0), url: "" }]
        : []

    Label {
        text: qsTrId("Menu_FunctionDescription")
        font.pixelSize: Theme.pageTitleSize
        color: Theme.text
        Accessible.role: Accessible.Heading
        Accessible.name: text
    }

    Label {
        Layout.fillWidth: true
        text: qsTrId("FunctionDescription_Explanation")
        color: Theme.subtle
        wrapMode: Text.WordWrap
    }

    Repeater {
        model: [
            { name: "customFunctions", heading: "FunctionDescription_CustomSetting", items: page.customFunctions },
            { name: "ringFunctions", heading: "FunctionDescription_FocusRingSetting", items: page.ringFunctions },
            { name: "adjustFunctions", heading: "FunctionDescription_Adjustment", items: page.adjustFunctions }
        ]
        Card {
            id: card
            required property var modelData
            objectName: modelData.name
            visible: modelData.items.length > 0
            Layout.fillWidth: true
            implicitHeight: section.implicitHeight + Theme.gap * 2

            ColumnLayout {
                id: section
                anchors.fill: parent
                anchors.margins: Theme.gap
                spacing: Theme.gap
                Label {
                    Layout.fillWidth: true
                    text: qsTrId(card.modelData.heading)
                    font.pixelSize: Theme.titleSize
                    font.bold: true
                    color: Theme.text
                    wrapMode: Text.WordWrap
                    Accessible.role: Accessible.Heading
                    Accessible.name: text
                }
                Repeater {
                    model: card.modelData.items
                    FunctionDescriptionItemView {
                        required property var modelData
                        key: modelData.key
                        label: modelData.label
                        explanation: modelData.explanation
                        helpUrl: modelData.url
                    }
                }
            }
        }
    }

    RowLayout {
        Layout.fillWidth: true
        spacing: Theme.unit
        Label {
            text: qsTrId("FunctionDescription_OnlineHelp")
            color: Theme.subtle
        }
        ActionButton {
            objectName: "functionList"
            flat: true
            iconName: "icon_popup"
            text: qsTrId("FunctionDescription_ToDetail")
            onActivated: Shell.openUrl("FunctionDescription_FunctionListURL")
        }
        Item { Layout.fillWidth: true }
    }
}
