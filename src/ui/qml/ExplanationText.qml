import QtQuick
import QtQuick.Controls
import QtQuick.Layouts

// The running text that explains a setting at the top of a popup.
Label {
    Layout.fillWidth: true
    visible: text !== ""
    color: theme.text
    wrapMode: Text.WordWrap
    lineHeight: 1.2
}
