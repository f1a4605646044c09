#include "qt/game_clock.h"

#include <QSocketNotifier>
#include <algorithm>
#include <cstdint>

#if defined(__linux__) && !defined(ZORVANE_QT_TIMER_ONLY)
#define ZORVANE_KERNEL_TIMER 1
#include <sys/timerfd.h>
#include <unistd.h>
#endif

namespace zv {

GameClock::GameClock([[maybe_unused]] Source source) {
#ifdef ZORVANE_KERNEL_TIMER
    if (source == Source::KernelTimer) fd_ = ::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
#endif
    if (fd_ >= 0) {
        notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
        connect(notifier_.get(), &QSocketNotifier::activated, this, &GameClock::woken);
    }
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &GameClock::woken);
}

GameClock::~GameClock() {
    notifier_.reset();
#ifdef ZORVANE_KERNEL_TIMER
    if (fd_ >= 0) ::close(fd_);
#endif
}

// steady_clock is CLOCK_MONOTONIC on Linux, the clock the kernel timer runs on.
Alarm::Time GameClock::now() const { return std::chrono::steady_clock::now().time_since_epoch(); }

void GameClock::wakeAt(std::optional<Time> due) {
#ifdef ZORVANE_KERNEL_TIMER
    if (fd_ >= 0) {
        // An absolute time, or none; either discards an expiration not read yet.
        itimerspec timing{};
        if (due) {
            timing.it_value.tv_sec = time_t(due->count() / 1'000'000'000);
            timing.it_value.tv_nsec = long(due->count() % 1'000'000'000);
        }
        ::timerfd_settime(fd_, TFD_TIMER_ABSTIME, &timing, nullptr);
        return;
    }
#endif
    // Rounded to the nearest millisecond: rounding up would make every
    // wake-up late, and at 1 ms drop one tick in every few.
    if (due) timer_.start(std::max(std::chrono::round<std::chrono::milliseconds>(*due - now()), {}));
    else timer_.stop();
}

void GameClock::woken() {
#ifdef ZORVANE_KERNEL_TIMER
    // Nothing to read: it was set anew after this wake-up was queued.
    std::uint64_t expirations = 0;
    if (fd_ >= 0 && ::read(fd_, &expirations, sizeof expirations) != sizeof expirations) return;
#endif
    if (onWake) onWake(now());
}

}  // namespace zv
