#pragma once

#include <QObject>
#include <QTimer>
#include <memory>

#include "midend/alarm.h"

class QSocketNotifier;

namespace zv {

// The window's alarm on Qt's event loop, on steady_clock. On Linux a kernel
// timer (timerfd) set to the absolute due time wakes it to the nanosecond;
// elsewhere, or when the build forces it, a precise one-shot QTimer.
class GameClock final : public QObject, public Alarm {
public:
    enum class Source { KernelTimer, QtTimer };
    // QtTimer even where the kernel timer exists, for comparison.
    explicit GameClock(Source source = Source::KernelTimer);
    ~GameClock() override;

    Time now() const override;
    void wakeAt(std::optional<Time> due) override;
    // QTimer counts whole milliseconds and is armed to the nearest one.
    Time early() const override { return usesKernelTimer() ? Time{} : halfMillisecond; }

    bool usesKernelTimer() const { return fd_ >= 0; }

private:
    void woken();

    int fd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
    QTimer timer_;
};

}  // namespace zv
