// The yardstick for the program's start-up: the least a Qt Widgets program of the same size
// does, one window of the main window's outer size (menu bar included) with one label.

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Baseline"));
    window.setFixedSize(561, 339);
    QLabel label(QStringLiteral("Vexmora"), &window);
    label.move(20, 20);
    window.show();
    return app.exec();
}
