import QtQuick
import QtQuick.Controls
import QtQuick.Layouts

// The near and far ends of one AF limit row. A pick is stored in the row and handed to
// the settings model, which keeps near in front of far and sends the row. A lens whose
// far end is fixed shows infinity there instead of a choice.
RowLayout {
    id: range
    required property int row
    readonly property var info: vm.basic_info
    readonly property var pair: vm.lens_setting.aflim_pos[row]
    readonly property bool farFixed: (info.specialSpecAFLimitFixedInf & 1) !== 0

    function indexOf(positions, id) {
        for (let i = 0; i < positions.length; ++i)
            if (positions[i].id === id)
                return i
        return -1
    }
    function pick(end, id) {
        const rows = Array.from(vm.lens_setting.aflim_pos, pair => Array.from(pair))
        const old = rows[row][end]
        if (old === id)
            return
        rows[row][end] = id
        vm.lens_setting.aflim_pos = rows
        if (end === 0)
            vm.lens_setting.nearChanged(row, old)
        else
            vm.lens_setting.farChanged(row, old)
    }

    spacing: theme.gap
    Repeater {
        model: [["afNear", range.info.modLimitPositions], ["afFar", range.info.infLimitPositions]]
        RowLayout {
            spacing: theme.gap
            Label {
                visible: index === 1
                text: "\u2013"
                color: theme.subtle
            }
            ComboBox {
                objectName: modelData[0]
                visible: index === 0 || !range.farFixed
                Layout.preferredWidth: theme.unit * 20
                activeFocusOnTab: true
                Accessible.name: qsTrId("ButtonSelect_AFLimitRange") + " " + (index + 1)
                model: modelData[1].map(p => p.name)
                currentIndex: range.indexOf(modelData[1], range.pair[index])
                onActivated: (i) => range.pick(index, modelData[1][i].id)
            }
            Icon {
                objectName: index === 1 ? "afFarFixed" : ""
                visible: index === 1 && range.farFixed
                name: "icon_INF"
                size: theme.unit * 3
                color: theme.text
                Accessible.role: Accessible.StaticText
                Accessible.name: qsTrId("CustomSetting_AfInf")
            }
        }
    }
    Item { Layout.fillWidth: true }
}
