#pragma once

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <memory>

#include "screen/tick_clock.h"
#include "screen/tick_schedule.h"

class QSocketNotifier;

namespace zv {

// The game clock on Qt's event loop, keeping the tick schedule: it only wakes
// the program when the next tick falls due. On Linux a kernel timer (timerfd)
// wakes it to the nanosecond; elsewhere, or when the build forces it, a
// precise QTimer re-armed for each due time.
class GameClock final : public QObject, public TickClock {
    Q_OBJECT

public:
    enum class Source { KernelTimer, QtTimer };
    // QtTimer even where the kernel timer exists, for comparison.
    explicit GameClock(Source source = Source::KernelTimer, QObject* parent = nullptr);
    ~GameClock() override;

    void setInterval(int milliseconds) override;
    int interval() const override { return schedule_.interval(); }

    // How often the countdown has been (re)started or stopped.
    std::int64_t armCount() const { return armCount_; }
    bool usesKernelTimer() const { return fd_ >= 0; }
    // Ticks that fell due while the program was busy and were dropped.
    std::int64_t droppedTicks() const { return schedule_.droppedTicks(); }

private:
    void wakeAtNextDue();
    void woken();

    TickSchedule schedule_;
    int fd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
    QTimer timer_;
    std::int64_t armCount_ = 0;
};

}  // namespace zv
