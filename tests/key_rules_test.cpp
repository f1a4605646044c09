// The game's key rules, for keys as any front end reports them.
#include <gtest/gtest.h>

#include <string>

#include "midend/key_rules.h"
#include "midend/us_keyboard.h"
#include "window/keys.h"

using namespace zv;
using Kind = KeyInput::Kind;

namespace {

bool handlerActsOn(Integer code) {
    return code == keys::Up || code == keys::Down || code == keys::Left || code == keys::Right || code == keys::P;
}

}  // namespace

TEST(KeyRules, LettersAndDigitsAreTheirCapitalsAndNonLatinOnesTheUsKeyAtTheirPlace) {
    const struct {
        const char* key;
        KeyInput input;
        Integer code;
    } cases[] = {
        {"p", {Kind::Symbol, 'p'}, keys::P},
        {"P", {Kind::Symbol, 'P'}, keys::P},
        {"7", {Kind::Symbol, '7'}, Integer('7')},
        {"Cyrillic ze at P", {Kind::Symbol, 0x0437, 'P'}, keys::P},
        {"Greek pi at P", {Kind::Symbol, 0x03C0, 'P'}, keys::P},
        {"Cyrillic ka at R", {Kind::Symbol, 0x043A, 'R'}, Integer('R')},
        {"dvorak: l at P", {Kind::Symbol, 'l', 'P'}, Integer('L')},
        {"dvorak: p at R", {Kind::Symbol, 'p', 'R'}, keys::P},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(keyCode(c.input), c.code);
    }
    // The place by the Linux key code, the PC scan code: 1 and 0, Q, P, A, M; Esc and Space none.
    const std::pair<std::uint32_t, char> places[] = {{2, '1'}, {11, '0'}, {16, 'Q'}, {25, 'P'}, {30, 'A'}, {50, 'M'}, {1, 0}, {57, 0}};
    for (const auto& [code, place] : places) EXPECT_EQ(usKeyAt(code), place) << code;
}

// Punctuation shares its code point with the arrows ('%' is 37, '(' is 40).
TEST(KeyRules, OtherKeysNeverPassForAnArrowOrP) {
    const struct {
        const char* key;
        KeyInput input;
    } cases[] = {
        {"%", {Kind::Symbol, '%'}},
        {"&", {Kind::Symbol, '&'}},
        {"'", {Kind::Symbol, '\''}},
        {"(", {Kind::Symbol, '('}},
        {"Latin-1 e acute at P", {Kind::Symbol, 0xE9, 'P'}},
        {"Cyrillic ze, place unknown", {Kind::Symbol, 0x0437}},
        {"a toolkit's own key numbered 37", {Kind::Other, 37}},
        {"a toolkit's own key numbered 0x1050", {Kind::Other, 0x1050}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        const auto code = keyCode(c.input);
        ASSERT_TRUE(code);
        EXPECT_FALSE(handlerActsOn(*code)) << *code;
    }
    EXPECT_FALSE(keyCode({Kind::Modifier}));
    EXPECT_FALSE(keyCode({Kind::Unidentified}));
}

// Windows reports keys by the game's own codes: each is its own key, except
// the modifiers alone (left, right or either) and the codes for no key.
TEST(KeyRules, AKeyByItsCodeIsThatKeyUnlessAModifierAloneOrNone) {
    for (const Integer code : {keys::P, keys::Left, keys::Tab, keys::function(1), keys::function(24), Integer('0')}) {
        const auto down = keyDown(keyOfCode(std::uint32_t(code)), {.ctrl = true});
        ASSERT_TRUE(down) << code;
        EXPECT_EQ(down->keyCode, code);
        EXPECT_EQ(down->shift, 2);
    }
    const struct {
        const char* key;
        std::uint32_t code;
    } modifiers[] = {{"Shift", 0x10}, {"Ctrl", 0x11}, {"Alt", 0x12}, {"left Shift", 0xA0}, {"right Ctrl", 0xA3},
                     {"AltGr's right Alt", 0xA5}, {"left Windows", 0x5B}, {"right Windows", 0x5C}};
    for (const auto& m : modifiers) EXPECT_EQ(keyOfCode(m.code).kind, Kind::Modifier) << m.key;
    EXPECT_EQ(keyOfCode(0).kind, Kind::Unidentified);
    EXPECT_EQ(keyOfCode(0xFF).kind, Kind::Unidentified);
    // Neighbours of the modifiers are ordinary keys: Pause, Caps Lock, the menu key.
    for (const std::uint32_t code : {0x13u, 0x14u, 0x5Du, 0xA6u}) EXPECT_EQ(keyOfCode(code).kind, Kind::Named) << code;
}

TEST(KeyRules, TheShiftStateIsShiftOneCtrlTwoAltFour) {
    EXPECT_EQ(shiftState({}), 0);
    EXPECT_EQ(shiftState({.shift = true}), 1);
    EXPECT_EQ(shiftState({.ctrl = true, .alt = true}), 6);
    EXPECT_EQ(shiftState({true, true, true}), 7);
    const auto shiftP = keyDown({Kind::Symbol, 'P'}, {.shift = true});
    ASSERT_TRUE(shiftP);
    EXPECT_EQ(shiftP->keyCode, keys::P);
    EXPECT_EQ(shiftP->shift, 1);
    EXPECT_FALSE(keyDown({Kind::Modifier}, {.shift = true}));  // Shift alone
    // With Alt, no key reaches the game: not an arrow, not P, not a function key.
    for (const KeyInput key : {keyOfCode(std::uint32_t(keys::Left)), KeyInput{Kind::Symbol, 'p'}, keyOfCode(std::uint32_t(keys::function(5)))})
        EXPECT_FALSE(keyDown(key, {.ctrl = true, .alt = true}));
}

TEST(KeyRules, KeyNamesForMenus) {
    EXPECT_EQ(keyName(keys::function(1)), "F1");
    EXPECT_EQ(keyName(keys::function(24)), "F24");
    EXPECT_EQ(keyName(keys::P), "P");
    EXPECT_EQ(keyName(Integer('7')), "7");
    EXPECT_EQ(keyName(keys::Left), "Left");
    EXPECT_EQ(keyName(*keyCode({Kind::Symbol, '%'})), "");
}
