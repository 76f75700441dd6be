import QtQuick
import QtQuick.Controls
import QtQuick.Layouts

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

    implicitHeight: column.implicitHeight + theme.gap * 2
    border.color: highlighted || activeFocus ? theme.accent : theme.border
    border.width: highlighted || activeFocus ? 2 : 1
    activeFocusOnTab: page >= 0
    Accessible.role: Accessible.Button
    Accessible.name: heading

    function open() {
        if (page >= 0 && !vm.lock)
            vm.selected_menu = page
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
        anchors.margins: theme.gap
        spacing: theme.unit

        RowLayout {
            Layout.fillWidth: true
            spacing: theme.unit
            Image {
                visible: block.picture !== ""
                source: block.picture ? "qrc:/kelvara/images/" + block.picture + ".svg" : ""
                sourceSize: Qt.size(28, 28)
                Layout.preferredWidth: 28
                Layout.preferredHeight: 28
                Layout.alignment: Qt.AlignVCenter
            }
            Label {
                text: block.heading
                font.bold: true
                font.pixelSize: theme.bodySize + 1
                color: block.highlighted ? theme.accent : theme.text
                Layout.fillWidth: true
                Layout.alignment: Qt.AlignVCenter
                wrapMode: Text.WordWrap
            }
        }
        Repeater {
            model: block.lines
            RowLayout {
                Layout.fillWidth: true
                spacing: theme.gap
                // The name takes what it needs up to half, the value the rest.
                Label {
                    text: modelData[0]
                    color: theme.subtle
                    Layout.preferredWidth: Math.min(implicitWidth, (column.width - theme.gap) / 2)
                    Layout.alignment: Qt.AlignTop
                    wrapMode: Text.WordWrap
                }
                Label {
                    text: modelData[1]
                    color: theme.text
                    Layout.fillWidth: true
                    Layout.alignment: Qt.AlignTop
                    horizontalAlignment: Text.AlignRight
                    wrapMode: Text.WordWrap
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
            Layout.rightMargin: -theme.unit
            onActivated: block.actionActivated()
        }
    }
}
