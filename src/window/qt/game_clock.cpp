#include "window/qt/game_clock.h"

#include <QSocketNotifier>
#include <cstdint>
#include <sys/timerfd.h>
#include <unistd.h>

namespace zv {

GameClock::GameClock(Source source, QObject* parent) : QObject(parent) {
    if (source == Source::KernelTimer) fd_ = ::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (fd_ >= 0) {
        notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
        connect(notifier_.get(), &QSocketNotifier::activated, this, &GameClock::expired);
    } else {
        fallback_.setTimerType(Qt::PreciseTimer);
        connect(&fallback_, &QTimer::timeout, this, &GameClock::expired);
    }
}

GameClock::~GameClock() {
    notifier_.reset();
    if (fd_ >= 0) ::close(fd_);
}

void GameClock::setInterval(int milliseconds) {
    if (milliseconds < 0) milliseconds = 0;
    if (milliseconds == interval_) return;
    interval_ = milliseconds;
    arm();
}

void GameClock::arm() {
    ++armCount_;
    if (fd_ < 0) {
        if (interval_ > 0)
            fallback_.start(interval_);
        else
            fallback_.stop();
        return;
    }
    itimerspec timing{};
    if (interval_ > 0) {
        timing.it_interval.tv_sec = interval_ / 1000;
        timing.it_interval.tv_nsec = long(interval_ % 1000) * 1'000'000;
        timing.it_value = timing.it_interval;
    }
    // Re-arming also discards expirations not read yet.
    ::timerfd_settime(fd_, 0, &timing, nullptr);
}

void GameClock::expired() {
    if (fd_ >= 0) {
        std::uint64_t expirations = 0;
        // However many intervals have passed, they make one tick.
        if (::read(fd_, &expirations, sizeof expirations) != sizeof expirations) return;
        dropped_ += long(expirations) - 1;
    }
    if (interval_ != 0 && onTick) onTick();
}

}  // namespace zv
