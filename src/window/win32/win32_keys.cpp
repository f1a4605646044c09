#include "window/win32/win32_keys.h"

#include <windows.h>

#include <algorithm>
#include <iterator>

namespace zv {
namespace {

constexpr unsigned modifiers[] = {VK_SHIFT,   VK_CONTROL,  VK_MENU,  VK_LSHIFT, VK_RSHIFT, VK_LCONTROL,
                                  VK_RCONTROL, VK_LMENU,   VK_RMENU, VK_LWIN,   VK_RWIN};

bool down(int virtualKey) { return (GetKeyState(virtualKey) & 0x8000) != 0; }

}  // namespace

KeyInput win32KeyInput(unsigned virtualKey) {
    using Kind = KeyInput::Kind;
    if (virtualKey == 0 || virtualKey == 0xFF) return {Kind::Unidentified};
    if (std::find(std::begin(modifiers), std::end(modifiers), virtualKey) != std::end(modifiers))
        return {Kind::Modifier};
    return {Kind::Named, virtualKey};
}

HeldModifiers heldModifiers() { return {.shift = down(VK_SHIFT), .ctrl = down(VK_CONTROL), .alt = down(VK_MENU)}; }

}  // namespace zv
