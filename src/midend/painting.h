#pragma once

#include "midend/geometry.h"

namespace zv {

class BlockArray;
struct Rgb;
struct Shape;

// What a toolkit draws with, in device pixels.
class Canvas {
public:
    virtual ~Canvas() = default;
    virtual void fillRect(const Box& box, Rgb colour) = 0;
    // A disc filling the square, with an outline ring `pen` pixels wide along its edge.
    virtual void fillDisc(const Box& square, Rgb fill, Rgb outline, double pen) = 0;
};

// Repaints an area of device pixels: the window's background, then every
// shown cell whose box reaches into the area, whole.
void paintArea(Canvas& canvas, const BoardGeometry& geometry, const BlockArray& cells, const Box& area);

// One cell in its box: a rectangle is its outline colour with the fill inset
// by the outline's width; a circle is the largest disc that fits, centred.
void paintCell(Canvas& canvas, const Shape& cell, const Box& box, int outlineWidth);

}  // namespace zv
