pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Kelvara.LensUtility

// The welcome shown over the window at start, until the user gets started; it can be
// kept from coming back.
Rectangle {
    id: start
    objectName: "startPage"
    property bool showStartPage: Shell.startPageWanted
    property alias dontShowNext: dontShowBox.checked

    visible: showStartPage
    color: Theme.background
    Accessible.role: Accessible.Dialog
    Accessible.name: AppViewModel.app_name

    function getStarted() {
        Shell.dismissStartPage(dontShowNext)
        showStartPage = false
    }

    onVisibleChanged: if (visible) startButton.forceActiveFocus()
    Component.onCompleted: if (visible) startButton.forceActiveFocus()

    // Nothing under the page may be reached while it is up.
    MouseArea {
        anchors.fill: parent
        hoverEnabled: true
        acceptedButtons: Qt.AllButtons
        onWheel: (wheel) => { wheel.accepted = true }
    }

    ScrollView {
        id: scroll
        anchors.fill: parent
        contentWidth: availableWidth
        contentHeight: card.height + Theme.margin * 2
        clip: true

        Card {
            id: card
            width: Math.min(640, scroll.availableWidth - Theme.margin * 2)
            height: content.implicitHeight + Theme.margin * 2
            x: (scroll.availableWidth - width) / 2
            y: Math.max(Theme.margin, (scroll.height - height) / 2)

            ColumnLayout {
                id: content
                anchors.fill: parent
                anchors.margins: Theme.margin
                spacing: Theme.gap

                Image {
                    Layout.alignment: Qt.AlignHCenter
                    Layout.preferredWidth: 240
                    Layout.preferredHeight: 110
                    source: "qrc:/kelvara/images/image_lens.svg"
                    // In the item's own size: a drawing is rendered at the screen's scale.
                    sourceSize.width: 240
                    sourceSize.height: 110
                    asynchronous: true
                    fillMode: Image.PreserveAspectFit
                    Accessible.ignored: true
                }

                Label {
                    Layout.fillWidth: true
                    horizontalAlignment: Text.AlignHCenter
                    text: AppViewModel.app_name
                    font.pixelSize: Theme.pageTitleSize + 4
                    font.bold: true
                    color: Theme.text
                    wrapMode: Text.WordWrap
                    Accessible.role: Accessible.Heading
                    Accessible.name: text
                }

                Label {
                    objectName: "startPageText"
                    Layout.fillWidth: true
                    text: qsTrId("StartPage_YouCanDo")
                    color: Theme.text
                    wrapMode: Text.WordWrap
                    lineHeight: 1.2
                }

                Flow {
                    Layout.fillWidth: true
                    spacing: Theme.unit
                    Repeater {
                        model: [
                            ["icon_menu_swich_unselected", "Menu_SwitchSetting"],
                            ["icon_menu_ring_unselected", "Menu_RingFocusSetting"],
                            ["icon_menu_adjust_unselected", "Menu_Adjustment"],
                            ["icon_export", "Home_SettingOutput"],
                            ["icon_menu_version_unselected", "Menu_FirmwareInfo"]
                        ]
                        Rectangle {
                            id: feature
                            required property var modelData
                            width: chip.implicitWidth + Theme.gap * 2
                            height: 36
                            radius: 18
                            color: Theme.accentSoft
                            RowLayout {
                                id: chip
                                anchors.centerIn: parent
                                spacing: Theme.unit
                                Icon { name: feature.modelData[0]; size: 18; color: Theme.accent }
                                Label { text: qsTrId(feature.modelData[1]); color: Theme.text }
                            }
                        }
                    }
                }

                // Tab goes round the page's own controls, not to the window beneath.
                ActionButton {
                    id: linkButton
                    objectName: "startPageLink"
                    KeyNavigation.tab: dontShowBox
                    KeyNavigation.backtab: startButton
                    Layout.leftMargin: -Theme.unit
                    flat: true
                    iconName: "icon_popup"
                    text: qsTrId("VersionInfo_OnlineHelp")
                    onActivated: Shell.openUrl("StartPage_YouCanDoURL")
                }

                RowLayout {
                    Layout.fillWidth: true
                    Layout.topMargin: Theme.unit
                    spacing: Theme.gap
                    CheckBox {
                        id: dontShowBox
                        objectName: "startPageDontShowNext"
                        KeyNavigation.tab: startButton
                        KeyNavigation.backtab: linkButton
                        Layout.fillWidth: true
                        text: qsTrId("StartPage_DontShowNext")
                        Accessible.name: text
                        Keys.onReturnPressed: toggle()
                        Keys.onEnterPressed: toggle()
                    }
                    ActionButton {
                        id: startButton
                        objectName: "startPageStart"
                        KeyNavigation.tab: linkButton
                        KeyNavigation.backtab: dontShowBox
                        highlighted: true
                        text: qsTrId("StartPage_Start")
                        onActivated: start.getStarted()
                    }
                }
            }
        }
    }
}
