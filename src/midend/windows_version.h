#pragma once

namespace zv {

// Whether this is Windows 10 version 1803 (build 17134) or later, the first
// with the high-resolution timer the game's clock needs; false on any other
// system.
bool windowsIsRecentEnough();

// The same rule for a version as Windows numbers it.
bool isRecentWindows(unsigned major, unsigned minor, unsigned build);

}  // namespace zv
