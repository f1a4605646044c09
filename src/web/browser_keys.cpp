#include "web/browser_keys.h"

#include <cstdint>

namespace zv {
namespace {

constexpr std::string_view modifiers[] = {"Shift", "Control", "Alt", "AltGraph", "Meta", "OS", "Super", "Hyper"};

// The one code point of a key that types a single character, or 0.
std::uint32_t singleCodePoint(std::string_view s) {
    if (s.empty()) return 0;
    const auto b = [&](std::size_t i) { return std::uint32_t(static_cast<unsigned char>(s[i])); };
    std::size_t length = 1;
    std::uint32_t c = b(0);
    if (c >= 0xF0) length = 4, c &= 0x07;
    else if (c >= 0xE0) length = 3, c &= 0x0F;
    else if (c >= 0xC0) length = 2, c &= 0x1F;
    if (s.size() != length) return 0;
    for (std::size_t i = 1; i < length; ++i) c = (c << 6) | (b(i) & 0x3F);
    return c;
}

// The letter or digit a US keyboard has at this place ("KeyQ", "Digit1").
char usKeyAt(std::string_view code) {
    if (code.size() == 4 && code.substr(0, 3) == "Key" && code[3] >= 'A' && code[3] <= 'Z') return code[3];
    if (code.size() == 6 && code.substr(0, 5) == "Digit" && code[5] >= '0' && code[5] <= '9') return code[5];
    return 0;
}

// A number of its own for a key with a longer name, the same every time.
std::uint32_t nameNumber(std::string_view name) {
    std::uint32_t h = 2166136261u;
    for (char c : name) h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
    return h;
}

}  // namespace

KeyInput browserKey(std::string_view key, std::string_view code) {
    using Kind = KeyInput::Kind;
    // A key the browser cannot name is taken by its place, where that names a
    // key of its own: WebKitGTK reports Shift+Tab as "Unidentified" at "Tab".
    if (key.empty() || key == "Unidentified") {
        const auto placed = namedKeyCode(KeyNaming::Browser, code);
        return placed ? KeyInput{Kind::Named, std::uint32_t(*placed)} : KeyInput{Kind::Unidentified};
    }
    for (std::string_view modifier : modifiers)
        if (key == modifier) return {Kind::Modifier};
    if (const auto named = namedKeyCode(KeyNaming::Browser, key)) return {Kind::Named, std::uint32_t(*named)};
    if (const std::uint32_t c = singleCodePoint(key)) return {Kind::Symbol, c, usKeyAt(code)};
    return {Kind::Other, nameNumber(key)};
}

std::optional<KeyDown> pageKeyDown(std::string_view key, std::string_view code, HeldModifiers held) {
    return keyDown(browserKey(key, code), held);
}

bool pageKeepsKey(std::string_view key, HeldModifiers held, bool system, bool taken, bool onButton) {
    if (held.ctrl || held.alt || system) return false;
    return taken || isFunctionKey(browserKey(key, {})) || (onButton && key != " " && key != "Enter");
}

DrawnMenuBar::Key menuBarKey(std::string_view key) {
    return key == "Alt" ? DrawnMenuBar::Key::Close : DrawnMenuBar::keyOf(namedKeyCode(KeyNaming::Browser, key).value_or(0));
}

}  // namespace zv
