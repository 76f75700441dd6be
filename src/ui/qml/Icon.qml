import QtQuick
import QtQuick.Controls.impl
import Kelvara.LensUtility

// One of the program's own icons (a one-colour drawing), tinted to the colour asked for
// so that it follows the light or dark palette. A wrapper rather than an IconImage,
// whose own `name` means a desktop theme's icon.
Item {
    property string name
    property int size: 20
    property color color: Theme.text
    implicitWidth: size
    implicitHeight: size
    width: size
    height: size

    IconImage {
        anchors.fill: parent
        // Drawn from its SVG off the GUI thread: the window shows without waiting for it.
        asynchronous: true
        source: parent.name ? "qrc:/kelvara/icons/" + parent.name + ".svg" : ""
        sourceSize.width: parent.size
        sourceSize.height: parent.size
        color: parent.color
    }
}
