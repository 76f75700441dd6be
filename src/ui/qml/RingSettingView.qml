import QtQuick
import QtQuick.Controls
import QtQuick.Layouts

// The focus ring's direction, response and rotation angle, as far as the lens has them.
PageScroll {
    id: page

    function showHelp() {
        var pairs = []
        for (var id = 0; id < 2; ++id) {
            if (vm.ring_item.isRingFunctionSupported(id))
                pairs.push([vm.ring_item.function_labels[id], vm.ring_item.ringExplanation(id)])
        }
        if (root.supports(5))
            pairs.push([qsTrId("RingSetting_RingAngle"), vm.ring_item.ringDescription2(1)])
        while (pairs.length < 3)
            pairs.push(["", ""])
        vm.message.showTooltip(qsTrId("Menu_RingFocusSetting"), "", pairs[0][0], pairs[1][0], pairs[2][0],
                               pairs[0][1], pairs[1][1], pairs[2][1])
    }

    TitleView {
        title: qsTrId("Menu_RingFocusSetting")
        onHelpRequested: page.showHelp()
    }

    RingSettingDirectionView { visible: root.supports(3) }
    RingSettingResponseView { visible: root.supports(4) }
    RingSettingAngleView { visible: root.supports(5) }
}
