import QtQuick

Item {
    visible: false
}
