#include "midend/us_keyboard.h"

#include <string_view>
#include <utility>

namespace zv {
namespace {

// The digit and letter rows, each from its first key code.
constexpr std::pair<std::uint32_t, std::string_view> usRows[] = {
    {2, "1234567890"}, {16, "QWERTYUIOP"}, {30, "ASDFGHJKL"}, {44, "ZXCVBNM"}};

}  // namespace

char usKeyAt(std::uint32_t linuxKeyCode) {
    for (const auto& [first, row] : usRows)
        if (linuxKeyCode >= first && linuxKeyCode - first < row.size()) return row[linuxKeyCode - first];
    return 0;
}

}  // namespace zv
