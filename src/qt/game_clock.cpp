#include "qt/game_clock.h"

#include <algorithm>

namespace zv {

GameClock::GameClock([[maybe_unused]] Source source) {
    // Qt watches a file descriptor: Linux's timerfd.
#if defined(__linux__) && !defined(ZORVANE_QT_TIMER_ONLY)
    if (source == Source::KernelTimer) kernel_ = std::make_unique<SystemTimer>();
#endif
    if (usesKernelTimer()) {
        notifier_ = std::make_unique<QSocketNotifier>(kernel_->handle(), QSocketNotifier::Read);
        connect(notifier_.get(), &QSocketNotifier::activated, this, &GameClock::woken);
    }
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &GameClock::woken);
}

void GameClock::wakeAt(std::optional<Time> due) {
    if (usesKernelTimer()) kernel_->wakeAt(due);
    // Nearest, not up: rounding up would make every wake-up late, and at 1 ms drop a tick in every few.
    else if (due) timer_.start(std::max(std::chrono::round<std::chrono::milliseconds>(*due - now()), {}));
    else timer_.stop();
}

// Nothing to take when the kernel timer was set anew after this wake-up was queued.
void GameClock::woken() {
    if (usesKernelTimer() && !kernel_->take()) return;
    if (onWake) onWake(now());
}

}  // namespace zv
