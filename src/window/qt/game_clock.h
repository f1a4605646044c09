#pragma once

#include <QObject>
#include <QTimer>
#include <memory>

#include "window/qt/tick_clock.h"

class QSocketNotifier;

namespace zv {

// A clock on a fixed schedule: each tick falls due one interval after the
// previous one fell due, however long its handler took. Ticks missed while the
// program was busy are dropped, not made up. Uses a kernel periodic timer
// (timerfd); falls back to a precise QTimer where that is not available.
class GameClock final : public QObject, public TickClock {
    Q_OBJECT

public:
    enum class Source { KernelTimer, QtTimer };
    // QtTimer re-arms after each timeout and so drifts; it is there for
    // systems without timerfd and for comparison.
    explicit GameClock(Source source = Source::KernelTimer, QObject* parent = nullptr);
    ~GameClock() override;

    void setInterval(int milliseconds) override;
    int interval() const override { return interval_; }

    // How often the countdown has been (re)started or stopped.
    long armCount() const { return armCount_; }
    bool usesKernelTimer() const { return fd_ >= 0; }
    // Ticks that fell due while the program was busy and were dropped.
    long droppedTicks() const { return dropped_; }

private:
    void arm();
    void expired();

    int fd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
    QTimer fallback_;
    int interval_ = 0;
    long armCount_ = 0;
    long dropped_ = 0;
};

}  // namespace zv
