#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>

class QWidget;

namespace zv {

// Ends the program (status 0) when another program destroys its window (xdotool
// windowclose), as it could never be seen again; xkill ends it through Qt, status 1.
class WindowGone final : public QObject, public QAbstractNativeEventFilter {
public:
    explicit WindowGone(QWidget* window);
    ~WindowGone() override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    QWidget* window_;
};

}  // namespace zv
