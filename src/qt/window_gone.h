#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>

class QWidget;

namespace zv {

// Ends the program cleanly (status 0) when another program destroys the
// game's window on the X server (xdotool windowclose): with its window gone
// the game could never be seen or quit again, yet it would run on. xkill and
// xdotool windowkill do more: they close the game's whole connection to the
// server, so Qt itself ends the program with status 1 ("Did the X11 server
// die?") before this filter sees anything.
class WindowGone final : public QObject, public QAbstractNativeEventFilter {
public:
    explicit WindowGone(QWidget* window);
    ~WindowGone() override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    QWidget* window_;
};

}  // namespace zv
