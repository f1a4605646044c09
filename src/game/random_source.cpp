#include "game/random_source.h"

#include <chrono>
#include <cstring>
#include <ctime>

namespace zv {
namespace {

// The local calendar time of t, copied at once out of the C library's one
// shared result: the game seeds on its one thread.
std::tm localTime(std::time_t t) {
    const std::tm* local = std::localtime(&t);
    return local ? *local : std::tm{};
}

}  // namespace

void TimeSeededRandom::seedFromTimeOfDay() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::tm local = localTime(system_clock::to_time_t(now));
    const auto micros = duration_cast<microseconds>(now.time_since_epoch()).count() % 1'000'000;
    seed(local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + micros / 1e6);
}

void TimeSeededRandom::seed(double secondsSinceMidnight) {
    std::uint64_t bits = 0;
    static_assert(sizeof bits == sizeof secondsSinceMidnight);
    std::memcpy(&bits, &secondsSinceMidnight, sizeof bits);
    std::seed_seq seq{std::uint32_t(bits), std::uint32_t(bits >> 32)};
    engine_.seed(seq);
}

float TimeSeededRandom::draw() {
    // 24 random bits fill a float's mantissa exactly, so the result is never 1.0.
    return float(engine_() >> 8) * 0x1p-24f;
}

}  // namespace zv
