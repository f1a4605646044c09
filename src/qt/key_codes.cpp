#include "qt/key_codes.h"

#include <QKeyEvent>
#include <algorithm>
#include <string_view>
#include <utility>

#include "window/keys.h"

namespace zv {
namespace {

// The letter and digit rows of a US keyboard, each from its first scan code.
constexpr std::pair<quint32, std::string_view> usRows[] = {
    {10, "1234567890"}, {24, "QWERTYUIOP"}, {38, "ASDFGHJKL"}, {52, "ZXCVBNM"}};

char usKeyAt(quint32 scanCode) {
    for (const auto& [first, row] : usRows)
        if (scanCode >= first && scanCode - first < row.size()) return row[scanCode - first];
    return 0;
}

// Qt's keys with a code of their own.
constexpr std::pair<int, Integer> namedKeys[] = {
    {Qt::Key_Left, keys::Left},           {Qt::Key_Up, keys::Up},
    {Qt::Key_Right, keys::Right},         {Qt::Key_Down, keys::Down},
    {Qt::Key_Backspace, keys::Backspace}, {Qt::Key_Tab, keys::Tab},
    {Qt::Key_Backtab, keys::Tab},         {Qt::Key_Return, keys::Return},
    {Qt::Key_Enter, keys::Return},        {Qt::Key_Pause, keys::Pause},
    {Qt::Key_CapsLock, keys::CapsLock},   {Qt::Key_Escape, keys::Escape},
    {Qt::Key_Space, keys::Space},         {Qt::Key_PageUp, keys::PageUp},
    {Qt::Key_PageDown, keys::PageDown},   {Qt::Key_End, keys::End},
    {Qt::Key_Home, keys::Home},           {Qt::Key_Insert, keys::Insert},
    {Qt::Key_Delete, keys::Delete},
};

constexpr int modifiers[] = {Qt::Key_Shift, Qt::Key_Control, Qt::Key_Alt, Qt::Key_AltGr,
                             Qt::Key_Meta, Qt::Key_Super_L, Qt::Key_Super_R};

KeyInput keyInput(int qtKey, quint32 scanCode) {
    using Kind = KeyInput::Kind;
    if (qtKey == Qt::Key_unknown) return {Kind::Unidentified};
    if (std::ranges::find(modifiers, qtKey) != std::end(modifiers)) return {Kind::Modifier};
    for (const auto& [named, code] : namedKeys)
        if (named == qtKey) return {Kind::Named, std::uint32_t(code)};
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return {Kind::Named, std::uint32_t(keys::function(qtKey - Qt::Key_F1 + 1))};
    // Below the first of its named keys, a Qt key is the character it types.
    if (qtKey < Qt::Key_Escape) return {Kind::Symbol, std::uint32_t(qtKey), usKeyAt(scanCode)};
    return {Kind::Other, std::uint32_t(qtKey)};
}

}  // namespace

KeyInput keyInput(const QKeyEvent& event) { return keyInput(event.key(), event.nativeScanCode()); }

HeldModifiers heldModifiers(const QKeyEvent& event) {
    const Qt::KeyboardModifiers held = event.modifiers();
    return {.shift = held.testFlag(Qt::ShiftModifier),
            .ctrl = held.testFlag(Qt::ControlModifier),
            .alt = held.testFlag(Qt::AltModifier)};
}

}  // namespace zv
