#pragma once

#include <memory>

#include "midend/screen.h"

namespace zv {

// The page's one game (page_module.cpp), started at the screen's
// device-pixel ratio on a random source, and its screen once started: for
// a module of the tests' own (tests/web) beside the page's.
void startPageGame(double ratio, RandomPtr random);
Screen* pageScreen();

}  // namespace zv
