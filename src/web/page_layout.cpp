#include "web/page_layout.h"

#include <cmath>

namespace zv {
namespace {

bool whole(double devicePixels, double ratio) {
    const double sixtyFourths = devicePixels * 64 / ratio;
    return std::abs(sixtyFourths - std::round(sixtyFourths)) < 1e-6;
}

}  // namespace

int onCssGrid(int devicePixels, double ratio) {
    int k = devicePixels;
    while (k < devicePixels + 64 && !whole(k, ratio)) ++k;
    return k;
}

double snapToCssGrid(double css, double ratio, bool down) {
    double k = down ? std::floor(css * ratio + 1e-6) : std::ceil(css * ratio - 1e-6);
    while (!whole(k, ratio) && k > 0 && k < css * ratio + 64) k += down ? -1 : 1;
    return k / ratio;
}

}  // namespace zv
