#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "game/shape.h"

namespace zv {

// The board's cells. Element 0 is the template the cells are copied from;
// elements 1..n are the cells themselves, numbered row by row.
//
// Every write that changes what a cell looks like on screen is remembered, so
// the window can redraw just those cells without scanning the whole board.
class BlockArray {
public:
    explicit BlockArray(const Shape& templateShape);

    // Number of elements, template included.
    int count() const { return int(shapes_.size()); }
    // Number of shown cells, template excluded.
    int shownCells() const { return shownCells_; }
    int hiddenCells() const { return count() - 1 - shownCells_; }

    // Appends element n (n == count()) as a hidden copy of the template.
    void create(int n);
    // Room for elements up to n, so that a board's cells are created in one go.
    void reserve(int n);

    // Each accessor takes 0 <= n < count() and throws std::out_of_range otherwise.
    const Shape& operator[](int n) const;
    bool visible(int n) const { return (*this)[n].visible; }
    Rgb fill(int n) const { return (*this)[n].fill; }

    void show(int n) { setVisible(n, true); }
    void hide(int n) { setVisible(n, false); }
    void setVisible(int n, bool visible);
    void setFill(int n, Rgb fill);
    void setKind(int n, ShapeKind kind);
    void setPlace(int n, float left, float top);
    void setSize(int n, float width, float height);

    // Cells whose look changed since the last clearChanges(), each listed once.
    std::span<const std::int16_t> changes() const { return changed_; }
    void clearChanges();

private:
    Shape& at(int n);
    void touch(int n);

    std::vector<Shape> shapes_;
    std::vector<std::uint8_t> marked_;
    std::vector<std::int16_t> changed_;
    int shownCells_ = 0;
};

}  // namespace zv
