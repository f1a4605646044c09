#pragma once

#include <cstdint>

namespace zv {

// The letter or digit ('A'..'Z', '0'..'9') at a key's place on a US
// keyboard, by its Linux (evdev) key code, which is also the PC scan code
// Windows reports; 0 for any other key. X11 and Wayland report it plus 8.
char usKeyAt(std::uint32_t linuxKeyCode);

}  // namespace zv
