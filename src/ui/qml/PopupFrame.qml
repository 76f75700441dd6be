import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Kelvara.LensUtility

// The surface of a popup, centred in the space it is given: a title, a body that scrolls
// when it is long, and a cancelling and an accepting button. Enter accepts and Escape
// cancels. While a lens write is under way nothing can be touched, and the keyboard focus
// comes back to where it was once the write is done.
Item {
    id: frame
    property string title
    property string subtitle
    default property alias content: body.data
    property string cancelName: "popupCancel"
    property string cancelText: qsTrId("Common_Cancel")
    property string acceptName: "popupOk"
    property string acceptText: qsTrId("Common_Ok")
    signal accepted()
    signal cancelled()

    readonly property bool busy: AppViewModel.lock
    property Item lastFocus: null

    function inside(item, ancestor) {
        for (let i = item; i; i = i.parent)
            if (i === ancestor)
                return true
        return false
    }
    // The card's items in Tab order, so that Tab stays inside the popup.
    function focusChain() {
        const chain = []
        for (let i = card.nextItemInFocusChain(true); i && inside(i, card) && chain.indexOf(i) < 0;
             i = i.nextItemInFocusChain(true))
            chain.push(i)
        return chain
    }
    function scrollToTop() { flick.contentY = 0 }
    function reveal(item) {
        if (!inside(item, body))
            return
        const top = item.mapToItem(body, 0, 0).y - Theme.unit
        const bottom = top + item.height + Theme.gap
        if (top < flick.contentY)
            flick.contentY = Math.max(0, top)
        else if (bottom > flick.contentY + flick.height)
            flick.contentY = Math.min(bottom - flick.height, flick.contentHeight - flick.height)
    }
    function focusMoved(item) {
        if (!item || busy || AppViewModel.message.show_message)
            return
        if (inside(item, card)) {
            lastFocus = item
            reveal(item)
            return
        }
        // Tab left the popup at one end: wrap round to the other. Focus lost any other
        // way goes back to where it was.
        const chain = focusChain()
        if (chain.length === 0)
            return
        if (lastFocus === chain[0])
            chain[chain.length - 1].forceActiveFocus(Qt.BacktabFocusReason)
        else if (lastFocus && lastFocus !== chain[chain.length - 1] && inside(lastFocus, card))
            lastFocus.forceActiveFocus()
        else
            chain[0].forceActiveFocus(Qt.TabFocusReason)
    }

    // Later, not inside the focus change that is being announced; a timer of the popup
    // goes with it.
    Connections {
        target: frame.Window.window
        function onActiveFocusItemChanged() { focusMovedLater.start() }
    }
    Timer {
        id: focusMovedLater
        interval: 0
        onTriggered: frame.focusMoved(frame.Window.activeFocusItem)
    }
    onBusyChanged: {
        if (!busy && lastFocus && !AppViewModel.message.show_message)
            focusBackLater.start()
    }
    Timer {
        id: focusBackLater
        interval: 0
        onTriggered: {
            if (!frame.lastFocus)
                return
            // A control chosen meanwhile keeps the focus.
            const now = frame.Window.activeFocusItem
            if (now && now !== card && now !== frame.lastFocus && frame.inside(now, card))
                return
            frame.lastFocus.forceActiveFocus()
        }
    }
    Component.onCompleted: card.forceActiveFocus()

    Card {
        id: card
        objectName: "popupFrame"
        anchors.centerIn: parent
        width: Math.min(640, frame.width - Theme.margin * 2)
        height: Math.min(column.implicitHeight + Theme.margin * 2, frame.height - Theme.margin * 2)
        enabled: !frame.busy
        focus: true
        Accessible.role: Accessible.Dialog
        Accessible.name: frame.title

        Keys.onEscapePressed: frame.cancelled()
        Keys.onReturnPressed: frame.accepted()
        Keys.onEnterPressed: frame.accepted()

        ColumnLayout {
            id: column
            anchors.fill: parent
            anchors.margins: Theme.margin
            spacing: Theme.gap

            RowLayout {
                Layout.fillWidth: true
                spacing: Theme.unit
                ColumnLayout {
                    Layout.fillWidth: true
                    spacing: Theme.unit / 2
                    Label {
                        objectName: "popupTitle"
                        Layout.fillWidth: true
                        text: frame.title
                        font.pixelSize: Theme.titleSize
                        font.bold: true
                        color: Theme.text
                        wrapMode: Text.WordWrap
                    }
                    Label {
                        objectName: "popupSubtitle"
                        visible: text !== ""
                        Layout.fillWidth: true
                        text: frame.subtitle
                        color: Theme.accent
                        wrapMode: Text.WordWrap
                    }
                }
                BusyIndicator {
                    Layout.preferredWidth: Theme.unit * 3
                    Layout.preferredHeight: Theme.unit * 3
                    Layout.alignment: Qt.AlignTop
                    running: frame.busy
                    visible: running
                }
            }

            Rectangle { Layout.fillWidth: true; implicitHeight: 1; color: Theme.border }

            Flickable {
                id: flick
                Layout.fillWidth: true
                Layout.fillHeight: true
                Layout.preferredHeight: body.implicitHeight
                contentWidth: width
                contentHeight: body.implicitHeight
                boundsBehavior: Flickable.StopAtBounds
                clip: true
                // Rounding may leave the content a pixel taller than the view.
                readonly property bool scrolls: contentHeight > height + 1
                ScrollBar.vertical: ScrollBar {
                    policy: flick.scrolls ? ScrollBar.AlwaysOn : ScrollBar.AlwaysOff
                }

                ColumnLayout {
                    id: body
                    width: flick.width - (flick.scrolls ? Theme.gap : 0)
                    spacing: Theme.gap
                }
            }

            Rectangle { Layout.fillWidth: true; implicitHeight: 1; color: Theme.border }

            RowLayout {
                Layout.alignment: Qt.AlignRight
                spacing: Theme.unit
                AppButton {
                    objectName: frame.cancelName
                    text: frame.cancelText
                    onClicked: frame.cancelled()
                }
                AppButton {
                    objectName: frame.acceptName
                    text: frame.acceptText
                    highlighted: true
                    onClicked: frame.accepted()
                }
            }
        }
    }
}
