import QtQuick
import QtQuick.Controls.impl

// One of the program's own icons (a one-colour drawing), tinted to the colour asked for
// so that it follows the light or dark palette.
IconImage {
    property string name
    property int size: 20
    source: name ? "qrc:/kelvara/icons/" + name + ".svg" : ""
    sourceSize: Qt.size(size, size)
    width: size
    height: size
    color: theme.text
}
