import QtQuick
import QtQuick.Controls
import QtQuick.Layouts

// The function of one custom control: the list of functions, then the chosen function's
// settings. Every choice is sent to the lens at once. Cancel on the list writes the
// stored values back and closes; Back on the settings writes them back and returns to
// the list.
PopupFrame {
    id: popup
    readonly property int slot: vm.popup.sw_id
    readonly property int current: vm.popup.select_bt_func_id
    readonly property bool showingList: vm.popup.page_index === 0
    readonly property bool selecting: showingList && catalogue.hasParameters(current)
    // Set by Cancel on the list, which closes once everything is written back.
    property bool closeWhenRestored: false

    function choose(f) {
        closeWhenRestored = false
        const functions = Array.from(vm.lens_setting.bt_func)
        if (functions[slot] === f)
            return
        functions[slot] = f
        vm.lens_setting.bt_func = functions
    }
    function restore(close) {
        closeWhenRestored = close
        vm.popup.restoreFunctionSelection()
    }

    title: catalogue.controlName(slot)
    subtitle: showingList || root.revision < 0 ? "" : vm.button_item.functionLabel(current)
    cancelName: showingList ? "popupCancel" : "popupBack"
    cancelText: showingList ? qsTrId("Common_Cancel") : qsTrId("ButtonSelect_Back")
    acceptName: selecting ? "popupSelect" : "popupOk"
    acceptText: selecting ? qsTrId("ButtonSelect_Select") : qsTrId("Common_Ok")
    onAccepted: {
        if (selecting) {
            closeWhenRestored = false
            vm.popup.page_index = 1
        } else {
            vm.popup.confirmPopup()
        }
    }
    onCancelled: restore(showingList)
    onShowingListChanged: scrollToTop()

    ButtonFunctions { id: catalogue }
    Connections {
        target: vm.popup
        function onFunctionSelectionRestored() {
            if (popup.closeWhenRestored)
                vm.popup.show_popup = false
        }
    }
    // The marked function is the one the lens holds, also after a refused write put the
    // old one back.
    Connections {
        target: vm.lens_setting
        function onBt_funcChanged() { vm.popup.select_bt_func_id = vm.lens_setting.bt_func[popup.slot] }
    }

    Loader {
        Layout.fillWidth: true
        sourceComponent: popup.showingList ? listPage : parameterPage
    }
    Component {
        id: listPage
        FunctionListPage {
            functions: catalogue
            slot: popup.slot
            current: popup.current
            onChosen: (f) => popup.choose(f)
        }
    }
    Component {
        id: parameterPage
        FunctionParameterPage {
            functions: catalogue
            slot: popup.slot
            current: popup.current
            onChosen: (f) => popup.choose(f)
        }
    }
}
