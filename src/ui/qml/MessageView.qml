import QtQuick
import QtQuick.Controls
import QtQuick.Layouts

// The one modal message box: a message with OK, or a question with Yes and No.
Item {
    id: box
    objectName: "messageBox"
    readonly property var model: vm.message
    visible: model.show_message

    Rectangle {
        anchors.fill: parent
        color: theme.scrim
        MouseArea { anchors.fill: parent; hoverEnabled: true; acceptedButtons: Qt.AllButtons }
    }

    Card {
        anchors.centerIn: parent
        width: Math.min(480, box.width - theme.margin * 4)
        height: content.implicitHeight + theme.margin * 2

        ColumnLayout {
            id: content
            anchors.fill: parent
            anchors.margins: theme.margin
            spacing: theme.gap

            Label {
                visible: text !== ""
                Layout.fillWidth: true
                text: box.model.title
                font.pixelSize: theme.titleSize
                font.bold: true
                wrapMode: Text.WordWrap
                color: theme.text
            }
            Label {
                objectName: "messageText"
                Layout.fillWidth: true
                text: box.model.message
                wrapMode: Text.WordWrap
                color: theme.text
                lineHeight: 1.2
            }
            Repeater {
                model: [[box.model.label1, box.model.desc1], [box.model.label2, box.model.desc2],
                        [box.model.label3, box.model.desc3], [box.model.label4, box.model.desc4]]
                ColumnLayout {
                    visible: modelData[0] !== "" || modelData[1] !== ""
                    Layout.fillWidth: true
                    spacing: 2
                    Label { text: modelData[0]; font.bold: true; color: theme.text; Layout.fillWidth: true; wrapMode: Text.WordWrap }
                    Label { text: modelData[1]; color: theme.subtle; Layout.fillWidth: true; wrapMode: Text.WordWrap }
                }
            }
            RowLayout {
                Layout.alignment: Qt.AlignRight
                spacing: theme.unit
                Button {
                    objectName: "messageNo"
                    visible: box.model.button_mode === 1
                    text: qsTrId("Common_No")
                    onClicked: box.model.respondNo()
                }
                Button {
                    objectName: "messageYes"
                    visible: box.model.button_mode === 1
                    text: qsTrId("Common_Yes")
                    highlighted: true
                    onClicked: box.model.respondYes()
                }
                Button {
                    objectName: "messageOk"
                    visible: box.model.button_mode !== 1
                    text: qsTrId("Common_Ok")
                    highlighted: true
                    onClicked: box.model.respondOk()
                }
            }
        }
    }
}
