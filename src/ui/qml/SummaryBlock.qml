import QtQuick
import QtQuick.Controls
import QtQuick.Layouts

// One block of the home page's summary: a heading and label/value lines.
Card {
    id: block
    property string heading
    property var lines: []          // [[label, value], ...]
    property string part: ""        // the drawing's part to highlight while hovered
    signal hoveredPart(string part)
    implicitHeight: column.implicitHeight + theme.gap * 2
    border.color: hover.hovered ? theme.accent : theme.border

    HoverHandler {
        id: hover
        onHoveredChanged: block.hoveredPart(hovered ? block.part : "")
    }

    ColumnLayout {
        id: column
        anchors.fill: parent
        anchors.margins: theme.gap
        spacing: theme.unit
        Label {
            text: block.heading
            font.bold: true
            font.pixelSize: theme.bodySize + 1
            color: theme.text
            Layout.fillWidth: true
            wrapMode: Text.WordWrap
        }
        Repeater {
            model: block.lines
            RowLayout {
                Layout.fillWidth: true
                spacing: theme.gap
                Label {
                    text: modelData[0]
                    color: theme.subtle
                    Layout.preferredWidth: Math.min(implicitWidth, column.width * 0.45)
                    Layout.alignment: Qt.AlignTop
                    wrapMode: Text.WordWrap
                }
                Label {
                    text: modelData[1]
                    color: theme.text
                    Layout.fillWidth: true
                    horizontalAlignment: Text.AlignRight
                    wrapMode: Text.WordWrap
                }
            }
        }
    }
}
