#include "qt/window_gone.h"

#include <QCoreApplication>
#include <QWidget>

#include "midend/x11_events.h"

namespace zv {

WindowGone::WindowGone(QWidget* window) : QObject(window), window_(window) {
    QCoreApplication::instance()->installNativeEventFilter(this);
}

WindowGone::~WindowGone() { QCoreApplication::instance()->removeNativeEventFilter(this); }

bool WindowGone::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t") return false;
    // Against the current id: when Qt replaces the native window, the old one's notice comes after.
    const WId current = window_->internalWinId();
    if (current != 0 && destroyedX11Window(message) == current) QCoreApplication::exit(0);
    return false;
}

}  // namespace zv
