// The smallest Qt Quick Controls window, the yardstick of bench_window.sh: prints the
// wall-clock time of its first frame on stderr ("first-frame-ns N") and ends. With
// --with-text it shows the least a real first page has: a title, a paragraph, a check box
// and a button, so the script can tell what any text and controls cost.
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QTextStream>

#include <chrono>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    QQuickStyle::setStyle(QStringLiteral("Fusion"));
    QQmlApplicationEngine engine;
    const bool withText = QCoreApplication::arguments().contains(QStringLiteral("--with-text"));
    engine.loadData(withText ? R"(import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
ApplicationWindow {
    width: 1024; height: 720; visible: true
    ColumnLayout {
        anchors.centerIn: parent
        width: 600
        Label { text: "Kelvara Lens Utility"; font.pixelSize: 28; font.bold: true }
        Label {
            Layout.fillWidth: true
            wrapMode: Text.WordWrap
            text: "Assign functions to the lens's switch and button, set up its focus ring, fine-tune AF, keep its settings and update its firmware."
        }
        RowLayout {
            CheckBox { text: "Don't show this again" }
            Button { text: "Get started"; highlighted: true }
        }
    }
}
)"
                             : "import QtQuick\n"
                               "import QtQuick.Controls\n"
                               "ApplicationWindow { width: 1024; height: 720; visible: true }\n");
    auto* window = qobject_cast<QQuickWindow*>(engine.rootObjects().value(0));
    if (!window)
        return 1;
    QObject::connect(window, &QQuickWindow::frameSwapped, window, [] {
        const auto now = std::chrono::system_clock::now().time_since_epoch();
        QTextStream(stderr) << "first-frame-ns "
                            << qint64(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count())
                            << Qt::endl;
        QCoreApplication::exit(0);
    }, Qt::SingleShotConnection);
    return app.exec();
}
