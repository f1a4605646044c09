#include "qt/window_gone.h"

#include <QCoreApplication>
#include <QWidget>
#include <cstdint>
#include <cstring>

namespace zv {
namespace {

// The X protocol's DestroyNotify event: code 17, the destroyed window's id at byte 8.
constexpr std::uint8_t destroyNotify = 17;
constexpr std::size_t destroyedWindowAt = 8;

}  // namespace

WindowGone::WindowGone(QWidget* window) : QObject(window), window_(window) {
    QCoreApplication::instance()->installNativeEventFilter(this);
}

WindowGone::~WindowGone() { QCoreApplication::instance()->removeNativeEventFilter(this); }

bool WindowGone::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const std::uint8_t*>(message);
    if ((event[0] & 0x7f) != destroyNotify) return false;
    std::uint32_t destroyed = 0;
    std::memcpy(&destroyed, event + destroyedWindowAt, sizeof destroyed);
    // Compared with the window's current id: when Qt itself replaces the
    // native window, the old one's notice arrives after the new id is set.
    const WId current = window_->internalWinId();
    if (current != 0 && destroyed == current) QCoreApplication::exit(0);
    return false;
}

}  // namespace zv
