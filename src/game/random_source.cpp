#include "game/random_source.h"

#include <bit>
#include <chrono>
#include <ctime>

namespace zv {

void TimeSeededRandom::seedFromTimeOfDay() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t t = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    const auto micros = duration_cast<microseconds>(now.time_since_epoch()).count() % 1'000'000;
    seed(local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + micros / 1e6);
}

void TimeSeededRandom::seed(double secondsSinceMidnight) {
    const auto bits = std::bit_cast<std::uint64_t>(secondsSinceMidnight);
    std::seed_seq seq{std::uint32_t(bits), std::uint32_t(bits >> 32)};
    engine_.seed(seq);
}

float TimeSeededRandom::draw() {
    // 24 random bits fill a float's mantissa exactly, so the result is never 1.0.
    return float(engine_() >> 8) * 0x1p-24f;
}

}  // namespace zv
