import QtQuick
import Kelvara.LensUtility

// The button functions as the function popup offers them. Raw functions that are one
// function worked in different ways (short press, long press, ...) form one entry of the
// list, and the way is chosen among its variants on the parameter page.
QtObject {
    // Each family in the order of its choices; the first supported one is what choosing
    // the family assigns.
    readonly property var families: [[2, 1], [4, 3, 6, 7], [13, 12], [15, 14]]
    // Functions listed each on its own under a heading they share: [heading id, [raw,
    // ...]], the members in the order of the list. The MF limit's two ways carry one and
    // the same name, so each is named by its way instead.
    readonly property var groups: [["ButtonSelect_MFLimit", [17, 16]]]
    readonly property int lastRaw: 25

    function variants(f) {
        for (const family of families)
            if (family.indexOf(f) >= 0)
                return family
        return [f]
    }
    function selectable(f) { return AppViewModel.live.button_item.isFunctionSelectable(f) }
    function isAfLimit(f) { return f === 3 || f === 4 || f === 6 || f === 7 }
    function isFocusTime(f) { return f === 22 || f === 23 }
    function hasSpeed(f) { return f === 8 || f === 9 }

    function groupOf(f) {
        for (const group of groups)
            if (group[1].indexOf(f) >= 0)
                return group
        return null
    }
    // The list's entries, each [heading id, [raw, ...]]: one per family with at least one
    // selectable member (no heading, the family's first raw value), and one per group
    // with its selectable members, where the first of them would stand.
    function listed() {
        const entries = []
        const seen = []
        for (let f = 0; f <= lastRaw; ++f) {
            if (!selectable(f))
                continue
            const group = groupOf(f)
            const key = group ? group[0] : String(variants(f)[0])
            if (seen.indexOf(key) >= 0)
                continue
            seen.push(key)
            entries.push(group ? [key, group[1].filter(selectable)] : ["", [variants(f)[0]]])
        }
        return entries
    }
    // The name of a grouped function's way of working.
    function wayLabel(f) {
        return f === 16 ? qsTrId("ButtonSelect_LabelLongClick") : qsTrId("ButtonSelect_LabelClick")
    }
    // The raw function an entry stands for: the current one when it belongs to the
    // family, otherwise the family's first selectable member.
    function representative(key, current) {
        const family = variants(key)
        if (family.indexOf(current) >= 0)
            return current
        for (const f of family)
            if (selectable(f))
                return f
        return key
    }

    // The ways the lens offers to work f: [[raw, label, description], ...].
    function operations(f) {
        const b = AppViewModel.live.button_item
        const family = variants(f)
        let all = []
        if (isAfLimit(f))
            all = [[4, b.afLimitClickLabel(f), b.afLimitClickDescription(f)],
                   [3, b.afLimitLongClickLabel(f), b.afLimitLongClickDescription(f)],
                   // The catalogue ties the texts of "while pressed" and "while released"
                   // each to the other one's support, which would hide a mode the lens
                   // has when it lacks the other; each is offered on its own support.
                   [6, qsTrId("ButtonSelect_LabelWhilePress"),
                    qsTrId("ButtonSelect_AfLimitOnOffExplanationDescription3")],
                   [7, qsTrId("ButtonSelect_LabelWhileRelease"),
                    qsTrId("ButtonSelect_AfLimitOnOffExplanationDescription4")]]
        else if (family.length === 2)
            all = [[family[0], b.firstOperationLabel(f), b.functionDescription1(f)],
                   [family[1], b.secondOperationLabel(f), b.functionDescription2(f)]]
        return all.filter(o => o[1] !== "" && selectable(o[0]))
    }
    function hasParameters(f) {
        return isAfLimit(f) || isFocusTime(f) || operations(f).length > 1
    }

    function controlName(slot) {
        return [qsTrId("Home_LabelFocusSetButton"), qsTrId("Common_Custom1"),
                qsTrId("Common_Custom2"), qsTrId("Common_Custom3")][slot] || ""
    }
    function speedText(slot) {
        const labels = AppViewModel.lens_setting.focus_speed_labels
        const step = Math.trunc(AppViewModel.lens_setting.speed[slot])
        return labels[Math.max(0, Math.min(step, labels.length - 1))]
    }
}
