#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
#include <memory>

#include "midend/alarm.h"
#include "midend/system_timer.h"

namespace zv {

// The window's alarm on Qt's event loop: the kernel timer where there is one, else a QTimer.
class GameClock final : public QObject, public Alarm {
public:
    enum class Source { KernelTimer, QtTimer };
    // QtTimer even where the kernel timer exists, for comparison.
    explicit GameClock(Source source = Source::KernelTimer);

    Time now() const override { return SystemTimer::now(); }
    void wakeAt(std::optional<Time> due) override;
    // QTimer counts whole milliseconds and is armed to the nearest one.
    Time early() const override { return usesKernelTimer() ? SystemTimer::early : halfMillisecond; }

    bool usesKernelTimer() const { return kernel_ && kernel_->exists(); }

private:
    void woken();

    std::unique_ptr<SystemTimer> kernel_;
    std::unique_ptr<QSocketNotifier> notifier_;
    QTimer timer_;
};

}  // namespace zv
