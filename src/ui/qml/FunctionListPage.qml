pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Layouts
import Kelvara.LensUtility

// First page of the function popup: the functions the lens offers for the control, the
// one it holds marked.
ColumnLayout {
    id: page
    required property ButtonFunctions functions
    required property int slot
    required property int current
    signal chosen(int f)

    // Kept as text so that the entries are rebuilt (and the keyboard focus lost) only when
    // the lens's capabilities change, not at every write.
    readonly property string entries: page.functions.listed().join(",")

    spacing: Theme.unit
    Repeater {
        model: page.entries ? page.entries.split(",").map(Number) : []
        ChoiceTile {
            id: tile
            required property int modelData
            readonly property int raw: page.functions.representative(tile.modelData, page.current)
            objectName: "function_" + raw
            text: AppViewModel.live.button_item.functionLabel(raw)
            // No write exists for the speed, so it is shown rather than offered.
            detail: (AppViewModel.live.button_item.functionExplanation(raw))
                    + (page.functions.hasSpeed(tile.raw) ? "\n" + qsTrId("Home_FocusSpeed") + ": "
                                                      + page.functions.speedText(page.slot) : "")
            selected: page.functions.variants(raw).indexOf(page.current) >= 0
            onClicked: page.chosen(raw)
        }
    }
}
