pragma ComponentBehavior: Bound
import QtQuick

// A row of the connection pictures (computer, cable, camera, lens), all drawn 100 units
// high with the link at one height, shrunk as one to the width it is given.
Item {
    id: illustration
    property var pictures: []           // names of resources/images, left to right
    property real maximumHeight: 64
    readonly property real shrink: row.implicitWidth > 0
                                   ? Math.min(maximumHeight / 100, width / row.implicitWidth) : 1
    implicitWidth: row.implicitWidth * maximumHeight / 100
    implicitHeight: 100 * shrink
    Accessible.ignored: true

    Row {
        id: row
        scale: illustration.shrink
        transformOrigin: Item.TopLeft
        Repeater {
            model: illustration.pictures
            Image {
                id: picture
                required property string modelData
                source: "qrc:/kelvara/images/" + picture.modelData + ".svg"
                sourceSize.height: 100
                smooth: true
                asynchronous: true
            }
        }
    }
}
