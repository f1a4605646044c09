#pragma once

#include <cstdint>

namespace zv {

// The window an X11 event, as the server sent it (xcb's generic event), says
// was destroyed; 0 for any event but DestroyNotify.
std::uint32_t destroyedX11Window(const void* event);

}  // namespace zv
