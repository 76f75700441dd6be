// The smallest Qt Quick Controls window, the yardstick of bench_window.sh: prints the
// wall-clock time of its first frame on stderr ("first-frame-ns N") and ends.
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
    engine.loadData("import QtQuick\n"
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
