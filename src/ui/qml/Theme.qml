pragma Singleton
import QtQuick

// Colours, type sizes and the 8-pixel spacing grid of the window. Light or dark follows
// the system palette; one accent colour marks what is selected or primary.
QtObject {
    readonly property SystemPalette system: SystemPalette { colorGroup: SystemPalette.Active }
    readonly property bool dark: system.window.hslLightness < 0.5

    readonly property int unit: 8
    readonly property int gap: unit * 2
    readonly property int margin: unit * 3
    readonly property int radius: 10

    readonly property int smallSize: 12
    readonly property int bodySize: 14
    readonly property int titleSize: 17
    readonly property int pageTitleSize: 22

    readonly property color accent: dark ? "#5fa8e8" : "#2866a8"
    readonly property color textOnAccent: dark ? "#0d1b2a" : "#ffffff"
    readonly property color accentSoft: dark ? "#23384d" : "#e3edf8"
    readonly property color background: dark ? "#1d2025" : "#f3f4f6"
    readonly property color surface: dark ? "#272b31" : "#ffffff"
    readonly property color menu: dark ? "#181a1e" : "#e9ebef"
    readonly property color hover: dark ? "#2a2e35" : "#dde1e7"
    readonly property color text: dark ? "#e7e9ec" : "#1d2127"
    readonly property color subtle: dark ? "#a2aab4" : "#5a6370"
    readonly property color border: dark ? "#3a3f47" : "#d8dce2"
    readonly property color warning: dark ? "#e6b450" : "#a86a00"
    readonly property color error: dark ? "#f07b72" : "#b3261e"
    readonly property color lock: dark ? "#66000000" : "#40ffffff"
    readonly property color scrim: "#80000000"
}
