import QtQuick

// A raised surface with rounded corners.
Rectangle {
    color: theme.surface
    radius: theme.radius
    border.color: theme.border
    border.width: 1
}
