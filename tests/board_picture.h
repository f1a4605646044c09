#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "game/paints.h"
#include "game/state.h"
#include "window/description.h"

// Readable failure messages for colours and cell kinds.
namespace zv {
inline void PrintTo(Rgb c, std::ostream* os) {
    *os << '(' << int(c.red) << ", " << int(c.green) << ", " << int(c.blue) << ')';
}
inline void PrintTo(ShapeKind k, std::ostream* os) { *os << (k == ShapeKind::Circle ? "circle" : "rectangle"); }
}  // namespace zv

// Renders the board as text, one string per row, so a test can show the
// situation it expects:
//   '#' wall (the template's look)   'o' obstacle   '*' food   'b' blue block
//   'H' head (circle)   's' body (rectangle)   'X' crash cell   '.' hidden
//   '?' anything else (a paint no role uses, or a role in the wrong shape)
inline char roleOf(const zv::Shape& s) {
    using namespace zv;
    if (!s.visible) return '.';
    if (s.fill == description::templateFill) return '#';
    if (s.fill == paints::obstacle) return 'o';
    if (s.fill == paints::food) return '*';
    if (s.fill == paints::blueBlock) return 'b';
    if (s.fill == paints::crash) return 'X';
    if (s.fill == paints::head) return s.kind == ShapeKind::Circle ? 'H' : '?';
    if (s.fill == paints::body) return s.kind == ShapeKind::Rectangle ? 's' : '?';
    return '?';
}

inline std::vector<std::string> boardPicture(const zv::zorvane& z) {
    std::vector<std::string> rows;
    for (int y = 1; y <= int(z.rows); ++y) {
        std::string row;
        for (int x = 1; x <= int(z.cols); ++x) row += roleOf(z.Block()[z.cellAt(x, y)]);
        rows.push_back(row);
    }
    return rows;
}

inline int countRole(const zv::zorvane& z, char role) {
    int n = 0;
    for (int cell = 1; cell < z.Block().count(); ++cell)
        if (roleOf(z.Block()[cell]) == role) ++n;
    return n;
}

// The cells the player sees as the snake: head and body.
inline int snakeLength(const zv::zorvane& z) { return countRole(z, 'H') + countRole(z, 's'); }
