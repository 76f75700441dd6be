import QtQuick
import Kelvara.LensUtility

// A warning mark before a caution text, in the warning colour unless tinted otherwise.
Icon {
    property color tint: Theme.warning
    name: "icon_warning"
    size: 18
    color: tint
}
