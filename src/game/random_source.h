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

// The same draws every run, from a seed given in place of the time of day:
// for replays, tests, and a page whose address names one (?seed=N).
class SeededRandom final : public RandomSource {
public:
    // Alike: every board set-up starts from the seed again, so each new
    // board is the same one. RunOn: the draws go on from board to board.
    enum class Boards { Alike, RunOn };
    explicit SeededRandom(double seed, Boards boards = Boards::Alike) : seed_(seed), boards_(boards) {
        random_.seed(seed);
    }
    void seedFromTimeOfDay() override {
        if (boards_ == Boards::Alike) random_.seed(seed_);
    }
    float draw() override { return random_.draw(); }

private:
    TimeSeededRandom random_;
    double seed_;
    Boards boards_;
};

}  // namespace zv
