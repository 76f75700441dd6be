pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Kelvara.LensUtility

// The near and far ends of one AF limit row. A pick is stored in the row and handed to
// the settings model, which keeps near in front of far and sends the row. A lens whose
// far end is fixed shows infinity there instead of a choice.
RowLayout {
    id: range
    required property int row
    readonly property var info: AppViewModel.basic_info
    readonly property var pair: AppViewModel.lens_setting.aflim_pos[row]
    readonly property bool farFixed: (info.specialSpecAFLimitFixedInf & 1) !== 0

    function indexOf(positions, id) {
        for (let i = 0; i < positions.length; ++i)
            if (positions[i].id === id)
                return i
        return -1
    }
    function pick(end, id) {
        const rows = Array.from(AppViewModel.lens_setting.aflim_pos, pair => Array.from(pair))
        const old = rows[row][end]
        if (old === id)
            return
        rows[row][end] = id
        AppViewModel.lens_setting.aflim_pos = rows
        if (end === 0)
            AppViewModel.lens_setting.nearChanged(row, old)
        else
            AppViewModel.lens_setting.farChanged(row, old)
    }

    spacing: Theme.gap
    Repeater {
        model: [["afNear", range.info.modLimitPositions], ["afFar", range.info.infLimitPositions]]
        RowLayout {
            id: bound
            required property var modelData
            required property int index
            spacing: Theme.gap
            Label {
                visible: bound.index === 1
                text: "\u2013"
                color: Theme.subtle
            }
            ComboBox {
                objectName: bound.modelData[0]
                visible: bound.index === 0 || !range.farFixed
                Layout.preferredWidth: Theme.unit * 20
                activeFocusOnTab: true
                Accessible.name: qsTrId("ButtonSelect_AFLimitRange") + " " + (bound.index + 1)
                model: bound.modelData[1].map(p => p.name)
                currentIndex: range.indexOf(bound.modelData[1], range.pair[bound.index])
                onActivated: (i) => range.pick(bound.index, bound.modelData[1][i].id)
            }
            Icon {
                objectName: bound.index === 1 ? "afFarFixed" : ""
                visible: bound.index === 1 && range.farFixed
                name: "icon_INF"
                size: Theme.unit * 3
                color: Theme.text
                Accessible.role: Accessible.StaticText
                Accessible.name: qsTrId("CustomSetting_AfInf")
            }
        }
    }
    Item { Layout.fillWidth: true }
}
