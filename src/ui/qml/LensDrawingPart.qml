import QtQuick
import QtQuick.Shapes
import Kelvara.LensUtility

// One marked control of the lens drawing: a marker over the control, a leader line to its
// label and the label, marker and label both clickable. Places are given in the drawing's
// 400 x 200 space, which the drawing maps to the item with one scale `k` from `origin`.
Item {
    id: part
    required property real k
    required property point origin
    required property string name       // "switch", "button" or "ring": the object names
    property rect area                  // the marker
    property var points: []             // the leader line
    property size labelAt               // top-left of the label box
    property string textId
    property bool round: true
    property bool highlighted: false    // the hover flag shared with the summary
    readonly property bool pointerInside: markerHover.hovered || labelHover.hovered
    signal activated()

    anchors.fill: parent

    // Black on the light card; on the dark card black would vanish, so the text colour.
    readonly property color lineColor: highlighted ? Theme.accent
                                                   : (Theme.dark ? Theme.text : "#000000")
    readonly property real lineWidth: highlighted ? 2 : 1
    readonly property real labelBottom: points.length > 0 ? points[points.length - 1].y
                                                          : labelAt.height + 18

    function map(x: real, y: real): point { return Qt.point(part.origin.x + x * part.k, part.origin.y + y * part.k) }

    function activate() {
        if (!AppViewModel.lock)
            part.activated()
    }

    Shape {
        objectName: part.name + "Line"
        anchors.fill: parent
        readonly property alias lineWidth: stroke.strokeWidth
        readonly property alias lineColor: stroke.strokeColor
        ShapePath {
            id: stroke
            strokeWidth: part.lineWidth
            strokeColor: part.lineColor
            fillColor: "transparent"
            joinStyle: ShapePath.RoundJoin
            capStyle: ShapePath.FlatCap
            PathPolyline {
                path: {
                    var mapped = new Array()
                    for (var i = 0; i < part.points.length; ++i)
                        mapped.push(part.map(part.points[i].x, part.points[i].y))
                    return mapped
                }
            }
        }
    }

    Rectangle {
        objectName: part.name + (part.round ? "Marker" : "Highlight")
        readonly property point topLeft: part.map(part.area.x, part.area.y)
        x: topLeft.x
        y: topLeft.y
        width: part.area.width * part.k
        height: part.area.height * part.k
        radius: part.round ? width / 2 : 4
        color: part.highlighted ? Qt.rgba(1, 1, 1, 0.5) : "transparent"
        border.width: activeFocus ? 2 : part.lineWidth
        border.color: activeFocus ? Theme.accent : part.lineColor
        activeFocusOnTab: true
        Accessible.role: Accessible.Button
        Accessible.name: qsTrId(part.textId)
        Keys.onSpacePressed: part.activate()
        Keys.onReturnPressed: part.activate()
        Keys.onEnterPressed: part.activate()
        HoverHandler { id: markerHover; cursorShape: Qt.PointingHandCursor }
        TapHandler { onTapped: part.activate() }
    }

    Item {
        objectName: part.name + "Label"
        readonly property point topLeft: part.map(part.labelAt.width, part.labelAt.height)
        x: topLeft.x
        y: topLeft.y
        width: 150 * part.k
        height: Math.max(1, (part.labelBottom - part.labelAt.height) * part.k)
        Accessible.role: Accessible.Button
        Accessible.name: label.text

        Text {
            id: label
            anchors.fill: parent
            anchors.leftMargin: 4
            anchors.bottomMargin: 2
            text: qsTrId(part.textId)
            color: part.highlighted ? Theme.accent : Theme.text
            font.pixelSize: Theme.bodySize
            font.bold: part.highlighted
            fontSizeMode: Text.Fit
            minimumPixelSize: 8
            // Japanese fonts bring tall line spacing; the glyphs still fit a tighter line.
            lineHeight: 0.85
            wrapMode: Text.Wrap
            maximumLineCount: 2
            elide: Text.ElideRight
            verticalAlignment: Text.AlignBottom
        }
        HoverHandler { id: labelHover; cursorShape: Qt.PointingHandCursor }
        TapHandler { onTapped: part.activate() }
    }
}
