import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Kelvara.LensUtility

// The heading of one group of settings inside a popup.
Label {
    Layout.fillWidth: true
    Layout.topMargin: Theme.unit
    font.bold: true
    font.pixelSize: Theme.bodySize + 1
    color: Theme.text
    wrapMode: Text.WordWrap
}
