// The yardstick for the console's start-up: a bare Qt Widgets window of the same size, built
// the same way.
#include <QApplication>
#include <QWidget>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.setFixedSize(743, 94);
    window.show();
    return app.exec();
}
