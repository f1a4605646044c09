#include "midend/key_rules.h"

#include "window/keys.h"

namespace zv {
namespace {

bool isCapitalOrDigit(std::uint32_t c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

// Clear of every code the game names, which all lie below 0x1000.
Integer codeOfItsOwn(std::uint32_t value) { return Integer(0x1000 | (value & 0x0FFF)); }

struct NamedKey {
    Integer code;
    const char* name;
};
constexpr NamedKey names[] = {
    {keys::Backspace, "Backspace"}, {keys::Tab, "Tab"},           {keys::Return, "Enter"},
    {keys::Pause, "Pause"},         {keys::CapsLock, "Caps Lock"}, {keys::Escape, "Esc"},
    {keys::Space, "Space"},         {keys::PageUp, "Page Up"},     {keys::PageDown, "Page Down"},
    {keys::End, "End"},             {keys::Home, "Home"},          {keys::Left, "Left"},
    {keys::Up, "Up"},               {keys::Right, "Right"},        {keys::Down, "Down"},
    {keys::Insert, "Insert"},       {keys::Delete, "Delete"},
};

// Shift, Ctrl and Alt, then each of them left and right, and the Windows keys.
constexpr std::uint32_t modifierCodes[] = {0x10, 0x11, 0x12, 0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0x5B, 0x5C};

}  // namespace

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

std::string keyName(Integer code) {
    if (code >= keys::function(1) && code <= keys::function(24))
        return std::string("F").append(std::to_string(code - keys::function(1) + 1));
    if (isCapitalOrDigit(std::uint32_t(code))) return std::string(1, char(code));
    for (const NamedKey& key : names)
        if (key.code == code) return key.name;
    return "";
}

}  // namespace zv
