#pragma once

#include <deque>
#include <initializer_list>
#include <stdexcept>
#include <string>

#include "game/random_source.h"

// A random source that replays the draws a test lines up. A draw nobody lined
// up throws, so a test that meets an unexpected draw (or a search that would
// never end) fails at once instead of hanging or using made-up numbers.
class ScriptedRandom final : public zv::RandomSource {
public:
    void seedFromTimeOfDay() override { ++seeds_; }

    float draw() override {
        if (queue_.empty())
            throw std::runtime_error("no scripted draw left (after " + std::to_string(draws_) + " draws)");
        const float r = queue_.front();
        queue_.pop_front();
        ++draws_;
        return r;
    }

    void push(float r) { queue_.push_back(r); }
    void push(std::initializer_list<float> rs) {
        for (float r : rs) push(r);
    }
    void repeat(float r, int times) {
        for (int i = 0; i < times; ++i) push(r);
    }

    // The draw that makes Int(side * r) + 1 come out as `index`: the middle of its slot.
    static float slot(int index, int side) { return (float(index) - 0.5f) / float(side); }

    // Two draws that aim a candidate (column first, then row) at column x, row y.
    void cell(int x, int y, int side) {
        push(slot(x, side));
        push(slot(y, side));
    }

    std::size_t remaining() const { return queue_.size(); }
    long draws() const { return draws_; }
    int seeds() const { return seeds_; }

private:
    std::deque<float> queue_;
    long draws_ = 0;
    int seeds_ = 0;
};
