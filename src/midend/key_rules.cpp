#include "midend/key_rules.h"

#include <type_traits>

#include "window/keys.h"

namespace zv {

static_assert(std::is_same_v<KeyCode, Integer>, "a key code is the game's Integer");

namespace {

bool isCapitalOrDigit(std::uint32_t c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

// Clear of every code the game names, which all lie below 0x1000.
Integer codeOfItsOwn(std::uint32_t value) { return Integer(0x1000 | (value & 0x0FFF)); }

// Every key with a name of its own, once: the game's code, its name on a
// menu, and the names a browser (KeyboardEvent.key) and Qt (a key sequence's
// portable text) give it. A row without a menu name is a second key of the
// same code (the keypad's Enter, Shift+Tab).
struct NamedKey {
    Integer code;
    std::string_view menu;
    std::string_view browser;
    std::string_view qt;
};
constexpr NamedKey names[] = {
    {keys::Backspace, "Backspace", "Backspace", "Backspace"},
    {keys::Tab, "Tab", "Tab", "Tab"},
    {keys::Tab, "", "", "Backtab"},
    {keys::Return, "Enter", "Enter", "Return"},
    {keys::Return, "", "", "Enter"},
    {keys::Pause, "Pause", "Pause", "Pause"},
    {keys::CapsLock, "Caps Lock", "CapsLock", "CapsLock"},
    {keys::Escape, "Esc", "Escape", "Esc"},
    {keys::Space, "Space", " ", "Space"},
    {keys::PageUp, "Page Up", "PageUp", "PgUp"},
    {keys::PageDown, "Page Down", "PageDown", "PgDown"},
    {keys::End, "End", "End", "End"},
    {keys::Home, "Home", "Home", "Home"},
    {keys::Left, "Left", "ArrowLeft", "Left"},
    {keys::Up, "Up", "ArrowUp", "Up"},
    {keys::Right, "Right", "ArrowRight", "Right"},
    {keys::Down, "Down", "ArrowDown", "Down"},
    {keys::Insert, "Insert", "Insert", "Ins"},
    {keys::Delete, "Delete", "Delete", "Del"},
};

std::string_view nameIn(const NamedKey& key, KeyNaming naming) {
    switch (naming) {
    case KeyNaming::Menu: return key.menu;
    case KeyNaming::Browser: return key.browser;
    case KeyNaming::Qt: return key.qt;
    }
    return {};
}

// F1 to F24, named alike everywhere.
std::optional<int> functionKeyNumber(std::string_view name) {
    if (name.size() < 2 || name.size() > 3 || name[0] != 'F' || name[1] < '1' || name[1] > '9') return std::nullopt;
    if (name.size() == 3 && (name[2] < '0' || name[2] > '9')) return std::nullopt;
    const int n = name.size() == 2 ? name[1] - '0' : (name[1] - '0') * 10 + (name[2] - '0');
    return n <= 24 ? std::optional<int>(n) : std::nullopt;
}


// Shift, Ctrl and Alt, then each of them left and right, and the Windows keys.
constexpr std::uint32_t modifierCodes[] = {0x10, 0x11, 0x12, 0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0x5B, 0x5C};

}  // namespace

std::optional<Integer> namedKeyCode(KeyNaming naming, std::string_view name) {
    if (name.empty()) return std::nullopt;
    if (const auto n = functionKeyNumber(name)) return keys::function(*n);
    for (const NamedKey& key : names)
        if (nameIn(key, naming) == name) return key.code;
    return std::nullopt;
}

KeyInput keyOfCode(std::uint32_t code) {
    if (code == 0 || code == 0xFF) return {KeyInput::Kind::Unidentified};
    for (const std::uint32_t modifier : modifierCodes)
        if (code == modifier) return {KeyInput::Kind::Modifier};
    return {KeyInput::Kind::Named, code};
}

std::optional<Integer> keyCode(const KeyInput& key) {
    switch (key.kind) {
    case KeyInput::Kind::Named: return Integer(key.value);
    case KeyInput::Kind::Modifier:
    case KeyInput::Kind::Unidentified: return std::nullopt;
    case KeyInput::Kind::Other: return codeOfItsOwn(key.value);
    case KeyInput::Kind::Symbol: break;
    }
    const std::uint32_t c = key.value;
    if (c >= 'a' && c <= 'z') return Integer(c - 'a' + 'A');
    if (isCapitalOrDigit(c)) return Integer(c);
    if (c >= 0x100 && key.usKey != 0) return Integer(key.usKey);
    return codeOfItsOwn(c);
}

Integer shiftState(HeldModifiers held) {
    return Integer((held.shift ? 1 : 0) + (held.ctrl ? 2 : 0) + (held.alt ? 4 : 0));
}

std::optional<KeyDown> keyDown(const KeyInput& key, HeldModifiers held) {
    if (held.alt) return std::nullopt;
    const auto code = keyCode(key);
    if (!code) return std::nullopt;
    return KeyDown{*code, shiftState(held)};
}

bool isFunctionKey(const KeyInput& key) {
    return key.kind == KeyInput::Kind::Named && key.value >= std::uint32_t(keys::function(1)) &&
           key.value <= std::uint32_t(keys::function(24));
}

std::string keyName(Integer code) {
    if (code >= keys::function(1) && code <= keys::function(24))
        return std::string("F").append(std::to_string(code - keys::function(1) + 1));
    if (isCapitalOrDigit(std::uint32_t(code))) return std::string(1, char(code));
    for (const NamedKey& key : names)
        if (key.code == code && !key.menu.empty()) return std::string(key.menu);
    return "";
}

}  // namespace zv
