import QtQuick
import Kelvara.LensUtility

// A raised surface with rounded corners.
Rectangle {
    color: Theme.surface
    radius: Theme.radius
    border.color: Theme.border
    border.width: 1
}
