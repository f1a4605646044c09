#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>

class QWidget;

namespace zv {

// Ends the program when another program destroys the game's window on the X
// server (xdotool windowclose, xkill): with its window gone the game could
// never be seen or quit again, yet it would run on.
class WindowGone final : public QObject, public QAbstractNativeEventFilter {
public:
    explicit WindowGone(QWidget* window);
    ~WindowGone() override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    QWidget* window_;
};

}  // namespace zv
