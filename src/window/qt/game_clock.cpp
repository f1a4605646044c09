#include "window/qt/game_clock.h"

#include <QSocketNotifier>
#include <algorithm>
#include <chrono>

#if defined(__linux__) && !defined(ZORVANE_QT_TIMER_ONLY)
#define ZORVANE_KERNEL_TIMER 1
#include <sys/timerfd.h>
#include <unistd.h>
#endif

namespace zv {
namespace {

using namespace std::chrono_literals;
using Time = TickSchedule::Time;

// steady_clock is CLOCK_MONOTONIC on Linux, the clock the kernel timer runs on.
Time now() { return std::chrono::steady_clock::now().time_since_epoch(); }

// QTimer counts whole milliseconds, so it is armed to the nearest one and a
// wake-up up to half a millisecond early is on time. Rounding up instead
// would make every wake-up late, and at 1 ms drop one tick in every few.
constexpr Time qtTimerSlack = 500us;

#ifdef ZORVANE_KERNEL_TIMER
int openKernelTimer() { return ::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC); }
void closeKernelTimer(int fd) { ::close(fd); }

// Arms it for an absolute time, or disarms it; either discards an expiration
// not read yet.
void armKernelTimer(int fd, std::optional<Time> due) {
    itimerspec timing{};
    if (due) {
        timing.it_value.tv_sec = time_t(due->count() / 1'000'000'000);
        timing.it_value.tv_nsec = long(due->count() % 1'000'000'000);
    }
    ::timerfd_settime(fd, TFD_TIMER_ABSTIME, &timing, nullptr);
}

// False when it has not expired after all: it was re-armed after this
// wake-up was queued.
bool readKernelTimer(int fd) {
    std::uint64_t expirations = 0;
    return ::read(fd, &expirations, sizeof expirations) == sizeof expirations;
}
#else
// No kernel timer: the clock always runs on QTimer.
int openKernelTimer() { return -1; }
void closeKernelTimer(int) {}
void armKernelTimer(int, std::optional<Time>) {}
bool readKernelTimer(int) { return false; }
#endif

}  // namespace

GameClock::GameClock(Source source, QObject* parent) : QObject(parent) {
    if (source == Source::KernelTimer) fd_ = openKernelTimer();
    if (fd_ >= 0) {
        notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
        connect(notifier_.get(), &QSocketNotifier::activated, this, &GameClock::woken);
    } else {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setSingleShot(true);
        connect(&timer_, &QTimer::timeout, this, &GameClock::woken);
    }
}

GameClock::~GameClock() {
    notifier_.reset();
    if (fd_ >= 0) closeKernelTimer(fd_);
}

void GameClock::setInterval(int milliseconds) {
    if (!schedule_.setInterval(milliseconds, now())) return;
    ++armCount_;
    wakeAtNextDue();
}

void GameClock::wakeAtNextDue() {
    const auto due = schedule_.nextDue();
    if (fd_ >= 0) {
        armKernelTimer(fd_, due);
    } else if (due) {
        timer_.start(std::max(std::chrono::round<std::chrono::milliseconds>(*due - now()), 0ms));
    } else {
        timer_.stop();
    }
}

void GameClock::woken() {
    if (fd_ >= 0 && !readKernelTimer(fd_)) return;
    schedule_.runDueTicks(now(), fd_ >= 0 ? Time{} : qtTimerSlack, [this] {
        if (onTick) onTick();
    });
    wakeAtNextDue();
}

}  // namespace zv
