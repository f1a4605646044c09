#include <QApplication>
#include <QDirIterator>
#include <QIcon>

#include "qt/main_window.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // The X11 window class, as the desktop entry's StartupWMClass names it.
    QApplication::setApplicationName("zorvane");
    QApplication::setStyle("Fusion");
    QGuiApplication::setDesktopFileName(ZORVANE_APP_ID);
    // Every size built in, for the window manager to pick from.
    QIcon icon;
    for (QDirIterator it(":/icons"); it.hasNext();) icon.addFile(it.next());
    QApplication::setWindowIcon(icon);

    zv::MainWindow window;
    window.show();
    return app.exec();
}
