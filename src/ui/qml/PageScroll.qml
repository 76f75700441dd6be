import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Kelvara.LensUtility

// A page's column of content within the page margins, scrolling when the window is too
// small for it. A control reached with the keyboard is scrolled into view.
Item {
    id: page
    default property alias content: column.data

    function reveal(item) {
        var inside = item
        while (inside && inside !== column)
            inside = inside.parent
        if (!inside)
            return
        var view = scroll.contentItem
        var top = item.mapToItem(column, 0, 0).y + column.y
        var bottom = top + item.height
        if (top < view.contentY)
            view.contentY = Math.max(0, top - Theme.gap)
        else if (bottom > view.contentY + view.height)
            view.contentY = Math.min(view.contentHeight - view.height, bottom - view.height + Theme.gap)
    }

    Connections {
        target: page.Window.window
        function onActiveFocusItemChanged() { page.reveal(page.Window.activeFocusItem) }
    }

    ScrollView {
        id: scroll
        objectName: "pageScroll"
        anchors.fill: parent
        contentWidth: availableWidth
        contentHeight: column.implicitHeight + Theme.margin * 2
        clip: true

        ColumnLayout {
            id: column
            x: Theme.margin
            y: Theme.margin
            width: scroll.availableWidth - Theme.margin * 2
            spacing: Theme.gap
        }
    }
}
