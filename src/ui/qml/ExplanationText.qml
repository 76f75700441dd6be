import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Kelvara.LensUtility

// The running text that explains a setting at the top of a popup.
Label {
    Layout.fillWidth: true
    visible: text !== ""
    color: Theme.text
    wrapMode: Text.WordWrap
    lineHeight: 1.2
}
