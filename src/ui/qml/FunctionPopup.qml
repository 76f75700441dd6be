import QtQuick
import QtQuick.Layouts
import Kelvara.LensUtility

// The function of one custom control: the list of functions, then the chosen function's
// settings. Every choice is sent to the lens at once. Cancel on the list writes the
// stored values back and closes; Back on the settings writes them back and returns to
// the list.
PopupFrame {
    id: popup
    readonly property int slot: AppViewModel.popup.sw_id
    readonly property int current: AppViewModel.popup.select_bt_func_id
    readonly property bool showingList: AppViewModel.popup.page_index === 0
    readonly property bool selecting: showingList && catalogue.hasParameters(current)
    // Set by Cancel on the list, which closes once everything is written back.
    property bool closeWhenRestored: false

    function choose(f) {
        closeWhenRestored = false
        const functions = Array.from(AppViewModel.lens_setting.bt_func)
        if (functions[slot] === f)
            return
        functions[slot] = f
        AppViewModel.lens_setting.bt_func = functions
    }
    function restore(close) {
        closeWhenRestored = close
        AppViewModel.popup.restoreFunctionSelection()
    }

    title: catalogue.controlName(slot)
    subtitle: showingList ? "" : AppViewModel.live.button_item.functionLabel(popup.current)
    cancelName: showingList ? "popupCancel" : "popupBack"
    cancelText: showingList ? qsTrId("Common_Cancel") : qsTrId("ButtonSelect_Back")
    acceptName: selecting ? "popupSelect" : "popupOk"
    acceptText: selecting ? qsTrId("ButtonSelect_Select") : qsTrId("Common_Ok")
    onAccepted: {
        if (selecting) {
            closeWhenRestored = false
            AppViewModel.popup.page_index = 1
        } else {
            AppViewModel.popup.confirmPopup()
        }
    }
    onCancelled: restore(showingList)
    onShowingListChanged: scrollToTop()

    ButtonFunctions { id: catalogue }
    Connections {
        target: AppViewModel.popup
        function onFunctionSelectionRestored() {
            if (popup.closeWhenRestored)
                AppViewModel.popup.show_popup = false
        }
    }
    // The marked function is the one the lens holds, also after a refused write put the
    // old one back.
    Connections {
        target: AppViewModel.lens_setting
        function onBt_funcChanged() { AppViewModel.popup.select_bt_func_id = AppViewModel.lens_setting.bt_func[popup.slot] }
    }

    // One page at a time.
    FunctionListPage {
        visible: popup.showingList
        Layout.fillWidth: true
        functions: catalogue
        slot: popup.slot
        current: popup.current
        onChosen: (f) => popup.choose(f)
    }
    FunctionParameterPage {
        visible: !popup.showingList
        Layout.fillWidth: true
        functions: catalogue
        slot: popup.slot
        current: popup.current
        onChosen: (f) => popup.choose(f)
    }
}
