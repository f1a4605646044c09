#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>

class QWidget;

namespace zv {

// Ends the program (status 0) when another program destroys its window on the
// X server (xdotool windowclose): the game could never be seen or quit again.
// xkill closes the whole connection, and Qt itself then ends it with status 1.
class WindowGone final : public QObject, public QAbstractNativeEventFilter {
public:
    explicit WindowGone(QWidget* window);
    ~WindowGone() override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    QWidget* window_;
};

}  // namespace zv
