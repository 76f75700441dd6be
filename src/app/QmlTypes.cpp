#include "QmlTypes.h"

#include "MainWindow.h"

namespace kelvara::qml {

AppViewModel* AppViewModelForeign::create(QQmlEngine* engine, QJSEngine*) {
    return MainWindow::create(engine, nullptr)->controller();
}

} // namespace kelvara::qml
