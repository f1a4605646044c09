#include "game/block_array.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>

namespace zv {

BlockArray::BlockArray(const Shape& templateShape) : shapes_{templateShape}, marked_{0} {}

void BlockArray::create(int n) {
    if (n != count() || n > INT16_MAX)
        throw std::out_of_range("Block(" + std::to_string(n) + ") cannot be created");
    Shape copy = shapes_[0];
    copy.visible = false;
    shapes_.push_back(copy);
    marked_.push_back(0);
}

void BlockArray::reserve(int n) {
    shapes_.reserve(std::size_t(n) + 1);
    marked_.reserve(std::size_t(n) + 1);
}

const Shape& BlockArray::operator[](int n) const {
    if (n < 0 || n >= count())
        throw std::out_of_range("Block(" + std::to_string(n) + ") does not exist");
    return shapes_[std::size_t(n)];
}

Shape& BlockArray::at(int n) { return const_cast<Shape&>(std::as_const(*this)[n]); }

void BlockArray::touch(int n) {
    if (!marked_[std::size_t(n)]) {
        marked_[std::size_t(n)] = 1;
        changed_.push_back(std::int16_t(n));
    }
}

void BlockArray::setVisible(int n, bool visible) {
    Shape& s = at(n);
    if (s.visible == visible) return;
    s.visible = visible;
    if (n != 0) shownCells_ += visible ? 1 : -1;
    touch(n);
}

// A hidden cell draws nothing, so repainting it would change nothing on screen.
void BlockArray::setFill(int n, Rgb fill) {
    Shape& s = at(n);
    if (s.fill == fill) return;
    s.fill = fill;
    if (s.visible) touch(n);
}

void BlockArray::setKind(int n, ShapeKind kind) {
    Shape& s = at(n);
    if (s.kind == kind) return;
    s.kind = kind;
    if (s.visible) touch(n);
}

void BlockArray::setPlace(int n, float left, float top) {
    Shape& s = at(n);
    s.left = left;
    s.top = top;
    if (s.visible) touch(n);
}

void BlockArray::setSize(int n, float width, float height) {
    Shape& s = at(n);
    s.width = width;
    s.height = height;
    if (s.visible) touch(n);
}

void BlockArray::clearChanges() {
    for (auto n : changed_) marked_[std::size_t(n)] = 0;
    changed_.clear();
}

}  // namespace zv
