#include "midend/x11_events.h"

#include <cstddef>
#include <cstring>

namespace zv {
namespace {

// The X protocol's DestroyNotify event: code 17 (the top bit marks one sent by
// a client), the destroyed window's id at byte 8.
constexpr std::uint8_t destroyNotify = 17;
constexpr std::size_t destroyedWindowAt = 8;

}  // namespace

std::uint32_t destroyedX11Window(const void* event) {
    const auto* bytes = static_cast<const std::uint8_t*>(event);
    if ((bytes[0] & 0x7f) != destroyNotify) return 0;
    std::uint32_t destroyed = 0;
    std::memcpy(&destroyed, bytes + destroyedWindowAt, sizeof destroyed);
    return destroyed;
}

}  // namespace zv
