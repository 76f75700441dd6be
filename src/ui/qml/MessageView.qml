pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Kelvara.LensUtility

// The one modal message box. Three layouts: a message (with OK, or a question with Yes
// and No), a tooltip with up to four label/description pairs, and the description of one
// custom-button function. Return answers OK or Yes, Escape answers OK or No.
Item {
    id: box
    objectName: "messageBox"
    readonly property var model: AppViewModel.message
    readonly property bool question: model.button_mode === ButtonMode.YES_NO
    readonly property bool functionLayout: model.tooltip_type === MessageType.ButtonFunction
    visible: model.show_message

    readonly property int funcId: functionLayout ? model.func_id : -1
    // Through `live`: the function texts follow the language and the lens.
    function functionText(name) { return funcId < 0 ? "" : AppViewModel.live.button_item[name](funcId) }

    // Slot 0 is the custom button, slots 1 to 3 the positions of the custom switch.
    readonly property string controlName: {
        if (!functionLayout)
            return ""
        const keys = ["Home_LabelFocusSetButton", "Common_Custom1", "Common_Custom2", "Common_Custom3"]
        return model.sw_id >= 0 && model.sw_id < keys.length ? qsTrId(keys[model.sw_id]) : ""
    }
    readonly property string heading: functionLayout ? functionText("functionLabel") : model.title
    readonly property string mainText: functionLayout ? functionText("functionExplanation") : model.message
    readonly property string detailText: functionLayout ? functionText("functionExplanationDescription") : ""
    readonly property var pairs: functionLayout
        ? [[functionText("afLimitClickLabel"), functionText("afLimitClickDescription")],
           [functionText("afLimitLongClickLabel"), functionText("afLimitLongClickDescription")],
           [functionText("firstOperationLabel"), functionText("functionDescription1")],
           [functionText("secondOperationLabel"), functionText("functionDescription2")]]
        : [[model.label1, model.desc1], [model.label2, model.desc2],
           [model.label3, model.desc3], [model.label4, model.desc4]]

    function accept() { if (question) model.respondYes(); else model.respondOk() }
    function reject() { if (question) model.respondNo(); else model.respondOk() }

    onVisibleChanged: if (visible) box.forceActiveFocus()
    Component.onCompleted: if (visible) box.forceActiveFocus()
    Keys.onReturnPressed: accept()
    Keys.onEnterPressed: accept()
    Keys.onEscapePressed: reject()

    Accessible.role: Accessible.Dialog
    Accessible.name: heading !== "" ? heading : mainText

    Rectangle {
        anchors.fill: parent
        color: Theme.scrim
        MouseArea { anchors.fill: parent; hoverEnabled: true; acceptedButtons: Qt.AllButtons; onWheel: (wheel) => { wheel.accepted = true } }
    }

    Card {
        id: card
        objectName: "messageCard"
        anchors.centerIn: parent
        width: Math.min(box.functionLayout || box.pairs[0][0] !== "" ? 560 : 480, box.width - Theme.margin * 2)
        height: Math.min(body.implicitHeight + buttons.implicitHeight + Theme.margin * 2 + Theme.gap,
                         box.height - Theme.margin * 2)

        ColumnLayout {
            anchors.fill: parent
            anchors.margins: Theme.margin
            spacing: Theme.gap

            ScrollView {
                id: scroll
                objectName: "messageScroll"
                Layout.fillWidth: true
                Layout.fillHeight: true
                contentWidth: availableWidth
                clip: true

                ColumnLayout {
                    id: body
                    width: scroll.availableWidth
                    spacing: Theme.unit

                    Label {
                        objectName: "messageControl"
                        visible: text !== ""
                        Layout.fillWidth: true
                        text: box.controlName
                        color: Theme.subtle
                        font.pixelSize: Theme.smallSize
                        elide: Text.ElideRight
                    }
                    Label {
                        objectName: "messageTitle"
                        visible: text !== ""
                        Layout.fillWidth: true
                        text: box.heading
                        font.pixelSize: Theme.titleSize
                        font.bold: true
                        wrapMode: Text.Wrap
                        color: Theme.text
                        Accessible.role: Accessible.Heading
                    }
                    Label {
                        objectName: "messageText"
                        visible: text !== ""
                        Layout.fillWidth: true
                        text: box.mainText
                        wrapMode: Text.Wrap
                        color: Theme.text
                        lineHeight: 1.2
                    }
                    Label {
                        objectName: "messageDetail"
                        visible: text !== ""
                        Layout.fillWidth: true
                        text: box.detailText
                        wrapMode: Text.Wrap
                        color: Theme.subtle
                        lineHeight: 1.15
                    }
                    Repeater {
                        model: box.pairs
                        ColumnLayout {
                            id: pair
                            required property var modelData
                            required property int index
                            objectName: "messagePair" + (pair.index + 1)
                            visible: pair.modelData[0] !== "" || pair.modelData[1] !== ""
                            Layout.fillWidth: true
                            Layout.topMargin: Theme.unit / 2
                            spacing: 2
                            Label {
                                visible: text !== ""
                                Layout.fillWidth: true
                                text: pair.modelData[0]
                                font.bold: true
                                color: Theme.text
                                wrapMode: Text.Wrap
                            }
                            Label {
                                visible: text !== ""
                                Layout.fillWidth: true
                                text: pair.modelData[1]
                                color: Theme.subtle
                                wrapMode: Text.Wrap
                                lineHeight: 1.15
                            }
                        }
                    }
                }
            }

            RowLayout {
                id: buttons
                Layout.alignment: Qt.AlignRight
                spacing: Theme.unit
                AppButton {
                    objectName: "messageNo"
                    visible: box.question
                    text: qsTrId("Common_No")
                    onClicked: box.model.respondNo()
                }
                AppButton {
                    objectName: "messageYes"
                    visible: box.question
                    text: qsTrId("Common_Yes")
                    highlighted: true
                    onClicked: box.model.respondYes()
                }
                AppButton {
                    objectName: "messageOk"
                    visible: !box.question
                    text: qsTrId("Common_Ok")
                    highlighted: true
                    onClicked: box.model.respondOk()
                }
            }
        }
    }
}
