#include <QApplication>
#include <QDirIterator>
#include <QIcon>

#include "qt/window_gone.h"
#include "qt/main_window.h"

namespace {

// Every size built in, so the window manager can pick the one it draws.
QIcon builtInIcon() {
    QIcon icon;
    for (QDirIterator it(":/icons"); it.hasNext();) icon.addFile(it.next());
    return icon;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // The application name becomes the X11 window class; the desktop entry's
    // StartupWMClass names the same.
    QApplication::setApplicationName("zorvane");
    QApplication::setStyle("Fusion");
    QGuiApplication::setDesktopFileName(ZORVANE_APP_ID);
    QApplication::setWindowIcon(builtInIcon());

    zv::MainWindow window;
    new zv::WindowGone(&window);
    window.show();
    return app.exec();
}
