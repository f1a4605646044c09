#pragma once

#include <cstdint>
#include <random>

namespace zv {

// Where the game's random draws come from. Tests hand the game a source that
// replays scripted draws; the game itself uses TimeSeededRandom.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // Called at every board set-up.
    virtual void seedFromTimeOfDay() = 0;
    // A single-precision value in [0, 1).
    virtual float draw() = 0;
};

// Seeded from the seconds since local midnight, as a new board expects.
class TimeSeededRandom final : public RandomSource {
public:
    void seedFromTimeOfDay() override;
    float draw() override;
    void seed(double secondsSinceMidnight);

private:
    std::mt19937 engine_{0u};
};

}  // namespace zv
