import QtQuick
import QtQuick.Controls
import QtQuick.Layouts

// The heading of one group of settings inside a popup.
Label {
    Layout.fillWidth: true
    Layout.topMargin: theme.unit
    font.bold: true
    font.pixelSize: theme.bodySize + 1
    color: theme.text
    wrapMode: Text.WordWrap
}
