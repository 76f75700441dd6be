pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Layouts
import Kelvara.LensUtility

// First page of the function popup: the functions the lens offers for the control, the
// one it holds marked. Functions that form a group follow their shared heading.
ColumnLayout {
    id: page
    required property ButtonFunctions functions
    required property int slot
    required property int current
    signal chosen(int f)

    // Kept as text so that the entries are rebuilt (and the keyboard focus lost) only when
    // the lens's capabilities change, not at every write.
    readonly property string entries: JSON.stringify(page.functions.listed())

    spacing: Theme.unit
    Repeater {
        model: JSON.parse(page.entries)
        ColumnLayout {
            id: entry
            required property var modelData
            readonly property string heading: entry.modelData[0]
            Layout.fillWidth: true
            spacing: Theme.unit

            SectionHeading {
                objectName: "functionGroup_" + entry.heading
                visible: entry.heading !== ""
                text: entry.heading ? qsTrId(entry.heading) : ""
            }
            ExplanationText {
                text: entry.heading ? AppViewModel.live.button_item.functionExplanation(entry.modelData[1][0]) : ""
                color: Theme.subtle
                font.pixelSize: Theme.smallSize
            }
            Repeater {
                model: entry.modelData[1]
                ChoiceTile {
                    id: tile
                    required property int modelData
                    readonly property int raw: entry.heading ? tile.modelData
                                                             : page.functions.representative(tile.modelData, page.current)
                    objectName: "function_" + raw
                    text: entry.heading ? page.functions.wayLabel(raw) : AppViewModel.live.button_item.functionLabel(raw)
                    // No write exists for the speed, so it is shown rather than offered.
                    detail: entry.heading ? ""
                                          : AppViewModel.live.button_item.functionExplanation(raw)
                                            + (page.functions.hasSpeed(tile.raw) ? "\n" + qsTrId("Home_FocusSpeed") + ": "
                                                                                   + page.functions.speedText(page.slot) : "")
                    selected: entry.heading ? page.current === raw : page.functions.variants(raw).indexOf(page.current) >= 0
                    onClicked: page.chosen(raw)
                }
            }
        }
    }
}
