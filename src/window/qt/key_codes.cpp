#include "window/qt/key_codes.h"

#include <Qt>
#include <string_view>

namespace zv {
namespace {

// The letter and digit rows of a US keyboard, each from its first scan code.
struct KeyRow {
    quint32 first;
    std::string_view keys;
};
constexpr KeyRow usRows[] = {{10, "1234567890"}, {24, "QWERTYUIOP"}, {38, "ASDFGHJKL"}, {52, "ZXCVBNM"}};

// Symbols beyond Latin-1, below the first of Qt's named keys.
bool nonLatinSymbol(int qtKey) { return qtKey >= 0x100 && qtKey < Qt::Key_Escape; }

}  // namespace

std::optional<char> usKeyAt(quint32 scanCode) {
    for (const KeyRow& row : usRows)
        if (scanCode >= row.first && scanCode - row.first < row.keys.size()) return row.keys[scanCode - row.first];
    return std::nullopt;
}

std::optional<Integer> virtualKeyCode(int qtKey, quint32 scanCode) {
    if (nonLatinSymbol(qtKey)) {
        if (const auto us = usKeyAt(scanCode)) return Integer(*us);
    }
    switch (qtKey) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_unknown:
        return std::nullopt;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Pause: return 19;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    default: break;
    }
    // Letters and digits have the same codes in both worlds.
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return Integer(qtKey);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return Integer(112 + (qtKey - Qt::Key_F1));
    // Punctuation shares its Qt code with arrows (Qt::Key_Percent is 37), so
    // everything else is moved clear of the codes the game tests.
    return Integer(0x1000 | (qtKey & 0x0FFF));
}

}  // namespace zv
