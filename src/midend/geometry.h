#pragma once

#include <vector>

namespace zv {

class BlockArray;
struct CommandButton;

// A box of whole pixels: left, top, width, height.
struct Box {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    int right() const { return x + width; }  // one past the last column
    int bottom() const { return y + height; }
    bool empty() const { return width <= 0 || height <= 0; }
    friend bool operator==(const Box&, const Box&) = default;
};

// Twips to logical pixels, at 15 twips a pixel.
int toPixels(float twips);

// Logical pixels of the window's inner area, and of a button in it.
Box innerBox(float widthTwips, float heightTwips);
Box buttonBox(const CommandButton& button);

// How far a window of width x height logical pixels must shrink to fit the
// room a screen leaves it, keeping its shape: 1 where it fits as it is (it
// never grows past its own size), else the largest scale at which all of it
// fits. A room that is no size at all (0, negative, not finite) leaves it be.
double fitScale(double width, double height, double roomWidth, double roomHeight);

// The board's grid in device pixels at a given device-pixel ratio. Cell edges
// are rounded once, so every cell is within a device pixel of every other at
// any screen scale, and neighbours share their edges exactly.
class BoardGeometry {
public:
    // The ratios a screen gets: below a quarter the cells would vanish, and
    // above eight the picture of the largest board would outgrow what a
    // 32-bit front end (the browser's) can allocate.
    static constexpr double smallestRatio = 0.25;
    static constexpr double largestRatio = 8;

    // Takes the edges of a freshly set-up board; the ratio is kept.
    void rebuild(const BlockArray& cells, int columns, int rows);
    // True when the ratio changed: everything drawn before must be drawn again.
    // A ratio outside the range above is taken as its nearest end; one that
    // is no ratio at all (0, negative, NaN, infinite) is ignored.
    bool setRatio(double ratio);

    double ratio() const { return ratio_; }
    int columns() const { return columns_; }
    int rows() const { return rows_; }
    // Width of a cell's outline in device pixels.
    int outlineWidth() const { return outlineWidth_; }

    // The box cell (column, row) is painted in; 0 <= column < columns(), 0 <= row < rows().
    Box box(int column, int row) const;
    // The same for board cell n, 1 <= n <= columns() * rows().
    Box cellBox(int n) const;
    // The smallest box of logical pixels that holds everything cell n draws:
    // what a toolkit asks to be repainted.
    Box repaintBox(int n) const;

    // Logical pixels to the device pixels they cover, and back.
    Box toDevice(const Box& logical) const;
    Box toLogical(const Box& device) const;

    // The columns and rows whose boxes reach into an area of device pixels;
    // empty (last < first) where none does.
    struct Span {
        int first = 0;
        int last = -1;
    };
    Span columnsIn(const Box& area) const { return spanIn(xEdges_, area.x, area.right()); }
    Span rowsIn(const Box& area) const { return spanIn(yEdges_, area.y, area.bottom()); }

private:
    void toDevicePixels();
    static Span spanIn(const std::vector<int>& edges, int from, int to);

    int columns_ = 0;
    int rows_ = 0;
    double ratio_ = 1;
    int outlineWidth_ = 1;
    // Edges of the columns and rows: columns_ + 1 and rows_ + 1 values.
    std::vector<float> xTwips_;
    std::vector<float> yTwips_;
    std::vector<int> xEdges_;
    std::vector<int> yEdges_;
};

}  // namespace zv
