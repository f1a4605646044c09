#include "midend/random_ptr.h"

#include "game/random_source.h"

namespace zv {

void DropRandom::operator()(RandomSource* random) const { delete random; }

RandomPtr timeSeededRandom() { return std::make_unique<TimeSeededRandom>(); }
RandomPtr seededRandom(double seed) { return std::make_unique<SeededRandom>(seed); }

}  // namespace zv
