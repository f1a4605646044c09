#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>


namespace zv {

// A key code as the game's key handler takes it (keys.h): the game's
// Integer, without its header.
using KeyCode = std::int16_t;

// A key that went down, as a front end reports it before the game's rules
// turn it into a key code. Each front end fills it in from its own keys.
struct KeyInput {
    enum class Kind {
        Named,         // a key with a code of its own (keys.h): value is that code
        Symbol,        // a key that types a character: value is its Unicode code point
        Other,         // any other key: value is the toolkit's own number for it
        Modifier,      // Shift, Ctrl, Alt, AltGr, Meta or Super on its own
        Unidentified,  // a key the toolkit cannot name
    };
    Kind kind = Kind::Unidentified;
    std::uint32_t value = 0;
    // For a symbol: the letter or digit ('A'..'Z', '0'..'9') at the key's
    // place on a US keyboard, or 0 where the toolkit cannot tell.
    char usKey = 0;
};

// Modifier keys held down with the key.
struct HeldModifiers {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};

// What the key handler receives.
struct KeyDown {
    KeyCode keyCode;
    KeyCode shift;
};

// The key code for a key, or nothing for a key the game never sees: a
// modifier on its own, or one the toolkit cannot name.
//
// A Latin letter or digit is its own code, whatever its place. A symbol
// beyond Latin-1 (Cyrillic, Greek, ...) counts as the US key at its place,
// so P pauses on every layout. Any other key gets a code of its own that
// none of the key handler's tests matches.
std::optional<KeyCode> keyCode(const KeyInput& key);

// A key reported by its code in the game's own codes (Windows' virtual-key
// codes, keys.h), as a toolkit that has those codes reports it: Shift, Ctrl,
// Alt and the Windows keys on their own are modifiers, 0 and 255 name no key,
// and any other code is the key's own.
KeyInput keyOfCode(std::uint32_t code);

// The shift state of a key-down: Shift 1, Ctrl 2, Alt 4, added up.
KeyCode shiftState(HeldModifiers held);

// The key handler's arguments for this key, or nothing. A key with Alt held
// is nothing on every front end: it belongs to the system and the menu bar
// (Alt+F4, Alt+Space, the browser's Alt+Left that leaves the page), and a
// key that both steered and did those would cost the player the game.
std::optional<KeyDown> keyDown(const KeyInput& key, HeldModifiers held);

// How a front end names its keys: as a menu shows them ("Left", "Esc"), as
// a browser's KeyboardEvent.key ("ArrowLeft", "Escape"), or as Qt's portable
// key sequence text ("Left", "Esc", "PgUp").
enum class KeyNaming { Menu, Browser, Qt };
// The game's code of a named key (the arrows, Tab, Enter, F1..F24, ...) by a
// front end's name for it, or nothing for any other name.
std::optional<KeyCode> namedKeyCode(KeyNaming naming, std::string_view name);

// Whether a key is one of F1..F24: the game's even where it does nothing.
bool isFunctionKey(const KeyInput& key);

// A key code's name for a menu ("F1", "P", "Left"), or "" if it has none.
std::string keyName(KeyCode code);

}  // namespace zv
