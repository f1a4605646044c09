#pragma once

#include <memory>

namespace zv {

class RandomSource;

// Deletes a random source where its kind is complete, so that a front end
// hands one to the Screen without the game's header. Converts from the
// plain deleter, so a test's std::make_unique<Source>(...) goes in as it is.
struct DropRandom {
    DropRandom() = default;
    template <typename Source>
    DropRandom(std::default_delete<Source>) {}
    void operator()(RandomSource* random) const;
};
using RandomPtr = std::unique_ptr<RandomSource, DropRandom>;

// New boards from the time of day, as the game has them.
RandomPtr timeSeededRandom();
// Every new board the same one, from this seed (a page's ?seed=N).
RandomPtr seededRandom(double seed);

}  // namespace zv
