pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Kelvara.LensUtility

// One block of the home page's summary: a picture and heading, then label/value lines.
// The block shows its page when clicked and lights up together with its part of the lens
// drawing while either is under the pointer.
Card {
    id: block
    property string heading
    property string picture             // a picture of resources/images, by name
    property var lines: []              // [[label, value], ...]
    property int page: -1               // the page a click shows
    property bool highlighted: false    // the hover flag shared with the lens drawing
    property string actionTextId        // an optional button in the heading row
    readonly property bool pointerInside: hover.hovered
    signal actionActivated()

    implicitHeight: column.implicitHeight + Theme.gap * 2
    border.color: highlighted || activeFocus ? Theme.accent : Theme.border
    border.width: highlighted || activeFocus ? 2 : 1
    activeFocusOnTab: page >= 0
    Accessible.role: Accessible.Button
    Accessible.name: heading

    function open() {
        if (page >= 0 && !AppViewModel.lock)
            AppViewModel.selected_menu = page
    }
    Keys.onSpacePressed: open()
    Keys.onReturnPressed: open()
    Keys.onEnterPressed: open()

    HoverHandler {
        id: hover
        cursorShape: block.page >= 0 ? Qt.PointingHandCursor : Qt.ArrowCursor
    }
    TapHandler { onTapped: block.open() }

    ColumnLayout {
        id: column
        anchors.fill: parent
        anchors.margins: Theme.gap
        spacing: Theme.unit

        RowLayout {
            Layout.fillWidth: true
            spacing: Theme.unit
            Image {
                visible: block.picture !== ""
                source: block.picture ? "qrc:/kelvara/images/" + block.picture + ".svg" : ""
                sourceSize.width: 28
                sourceSize.height: 28
                Layout.preferredWidth: 28
                Layout.preferredHeight: 28
                Layout.alignment: Qt.AlignVCenter
            }
            Label {
                text: block.heading
                font.bold: true
                font.pixelSize: Theme.bodySize + 1
                color: block.highlighted ? Theme.accent : Theme.text
                Layout.fillWidth: true
                Layout.alignment: Qt.AlignVCenter
                wrapMode: Text.WordWrap
            }
        }
        Repeater {
            model: block.lines
            RowLayout {
                id: line
                required property var modelData
                Layout.fillWidth: true
                spacing: Theme.gap
                // The name takes what it needs up to half, the value the rest.
                Label {
                    text: line.modelData[0]
                    color: Theme.subtle
                    Layout.preferredWidth: Math.min(implicitWidth, (column.width - Theme.gap) / 2)
                    Layout.alignment: Qt.AlignTop
                    wrapMode: Text.WordWrap
                }
                // A value of several parts breaks between them, never inside one; once it
                // takes more than a line it reads from the left.
                Label {
                    text: line.modelData[1].split(/(\s+\/\s+)/)
                                           .map((part, i) => i % 2 ? part : part.replace(/ /g, "\u00a0")
                                                                               .replace(/([\/-])/g, "$1\u2060"))
                                           .join("")
                    color: Theme.text
                    Layout.fillWidth: true
                    Layout.alignment: Qt.AlignTop
                    horizontalAlignment: lineCount > 1 ? Text.AlignLeft : Text.AlignRight
                    wrapMode: Text.Wrap
                }
            }
        }
        ActionButton {
            objectName: block.objectName + "Action"
            visible: block.actionTextId !== ""
            text: block.actionTextId ? qsTrId(block.actionTextId) : ""
            flat: true
            iconName: "icon_next"
            Layout.alignment: Qt.AlignRight
            Layout.rightMargin: -Theme.unit
            onActivated: block.actionActivated()
        }
    }
}
