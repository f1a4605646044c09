#include "midend/geometry.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "window/description.h"

namespace zv {
namespace {

// The smallest box on a grid scaled by num / den that holds every pixel of b.
Box scaledToCover(const Box& b, double num, double den) {
    const auto down = [=](int v) { return int(std::floor(v * num / den)); };
    const auto up = [=](int v) { return int(std::ceil(v * num / den)); };
    const int x = down(b.x);
    const int y = down(b.y);
    return Box{x, y, up(b.right()) - x, up(b.bottom()) - y};
}

int smallestGap(const std::vector<int>& edges) {
    int smallest = 0;
    for (std::size_t i = 1; i < edges.size(); ++i) {
        const int gap = edges[i] - edges[i - 1];
        if (i == 1 || gap < smallest) smallest = gap;
    }
    return smallest;
}

}  // namespace

int toPixels(float twips) { return int(std::lround(twips / description::twipsPerPixel)); }

Box innerBox(float widthTwips, float heightTwips) { return Box{0, 0, toPixels(widthTwips), toPixels(heightTwips)}; }

Box buttonBox(const CommandButton& button) {
    return Box{toPixels(button.left), toPixels(button.top), toPixels(button.width), toPixels(button.height)};
}

void BoardGeometry::rebuild(const BlockArray& cells, int columns, int rows) {
    columns_ = columns;
    rows_ = rows;
    xTwips_.assign(std::size_t(columns_ + 1), 0);
    yTwips_.assign(std::size_t(rows_ + 1), 0);
    if (columns_ > 0 && rows_ > 0) {
        for (int c = 0; c < columns_; ++c) xTwips_[std::size_t(c)] = cells[1 + c].left;
        for (int r = 0; r < rows_; ++r) yTwips_[std::size_t(r)] = cells[1 + columns_ * r].top;
        const Shape& last = cells[columns_ * rows_];
        xTwips_.back() = last.left + last.width;
        yTwips_.back() = last.top + last.height;
    }
    toDevicePixels();
}

bool BoardGeometry::setRatio(double ratio) {
    if (!std::isfinite(ratio) || ratio <= 0) return false;
    ratio = std::clamp(ratio, smallestRatio, largestRatio);
    if (ratio == ratio_) return false;
    ratio_ = ratio;
    toDevicePixels();
    return true;
}

void BoardGeometry::toDevicePixels() {
    const auto convert = [this](const std::vector<float>& twips, std::vector<int>& edges) {
        edges.resize(twips.size());
        for (std::size_t i = 0; i < twips.size(); ++i)
            edges[i] = int(std::lround(double(twips[i]) / description::twipsPerPixel * ratio_));
    };
    convert(xTwips_, xEdges_);
    convert(yTwips_, yEdges_);
    // One logical pixel, in whole device pixels, but never more than a quarter
    // of the smallest cell: small cells keep their fill at every scale.
    const int cell = std::min(smallestGap(xEdges_), smallestGap(yEdges_));
    outlineWidth_ = std::clamp(int(std::lround(ratio_)), 1, std::max(1, cell / 4));
}

Box BoardGeometry::box(int column, int row) const {
    const auto c = std::size_t(column);
    const auto r = std::size_t(row);
    return Box{xEdges_[c], yEdges_[r], xEdges_[c + 1] - xEdges_[c], yEdges_[r + 1] - yEdges_[r]};
}

Box BoardGeometry::cellBox(int n) const { return box((n - 1) % columns_, (n - 1) / columns_); }

// Repainting this box redraws the whole cell; the neighbours it grazes are
// redrawn too, so they come out unchanged.
Box BoardGeometry::repaintBox(int n) const { return toLogical(cellBox(n)); }

Box BoardGeometry::toDevice(const Box& logical) const { return scaledToCover(logical, ratio_, 1); }
Box BoardGeometry::toLogical(const Box& device) const { return scaledToCover(device, 1, ratio_); }

BoardGeometry::Span BoardGeometry::spanIn(const std::vector<int>& edges, int from, int to) {
    if (edges.size() < 2 || to <= from) return {};
    // First box whose right edge lies past `from`, last whose left edge lies before `to`.
    const int first = int(std::upper_bound(edges.begin() + 1, edges.end(), from) - edges.begin()) - 1;
    const int last = int(std::lower_bound(edges.begin(), edges.end() - 1, to) - edges.begin()) - 1;
    const int boxes = int(edges.size()) - 1;
    return Span{std::max(0, first), std::min(boxes - 1, last)};
}

double fitScale(double width, double height, double roomWidth, double roomHeight) {
    const auto room = [](double r) { return std::isfinite(r) && r > 0; };
    double scale = 1;
    if (room(roomWidth) && width > 0) scale = std::min(scale, roomWidth / width);
    if (room(roomHeight) && height > 0) scale = std::min(scale, roomHeight / height);
    return scale;
}

}  // namespace zv
