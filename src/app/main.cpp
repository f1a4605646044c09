#include <QApplication>

#include "window/qt/main_window.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("zorvane");
    QApplication::setStyle("Fusion");
    QGuiApplication::setDesktopFileName("zorvane");

    zv::MainWindow window;
    window.show();
    return app.exec();
}
