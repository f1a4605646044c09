#pragma once

namespace zv {

// Browsers lay a page out in 64ths of a CSS pixel. A picture shown pixel for
// pixel on the screen must start and end on lengths that are whole numbers
// both of those 64ths and of device pixels, or the browser smooths it.

// The fewest device pixels from n up that are a whole number of 64ths of a
// CSS pixel at `ratio` device pixels to one: at a ratio such as 2.625 only
// every 21st count is.
int onCssGrid(int devicePixels, double ratio);
// A CSS length moved onto such a count of device pixels: down, for a window
// fitted to the screen, so that it stays on it, or up.
double snapToCssGrid(double css, double ratio, bool down);

// A finger's height, CSS pixels.
inline constexpr double fingerHeight = 44;

}  // namespace zv
