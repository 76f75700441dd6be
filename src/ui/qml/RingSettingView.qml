import QtQuick
import Kelvara.LensUtility

// The focus ring's direction, response and rotation angle, as far as the lens has them.
PageScroll {
    id: page
    objectName: "ringSettingPage"

    function showHelp() {
        var pairs = new Array()
        for (var id = 0; id < 2; ++id) {
            if (AppViewModel.ring_item.isRingFunctionSupported(id))
                pairs.push([AppViewModel.ring_item.function_labels[id], AppViewModel.ring_item.ringExplanation(id)])
        }
        if (Lens.supports(5))
            pairs.push([qsTrId("RingSetting_RingAngle"), AppViewModel.ring_item.ringDescription2(1)])
        while (pairs.length < 3)
            pairs.push(["", ""])
        AppViewModel.message.showTooltip(qsTrId("Menu_RingFocusSetting"), "", pairs[0][0], pairs[1][0], pairs[2][0],
                               pairs[0][1], pairs[1][1], pairs[2][1])
    }

    TitleView {
        title: qsTrId("Menu_RingFocusSetting")
        onHelpRequested: page.showHelp()
    }

    RingSettingDirectionView { visible: Lens.supports(3) }
    RingSettingResponseView { visible: Lens.supports(4) }
    RingSettingAngleView { visible: Lens.supports(5) }
}
