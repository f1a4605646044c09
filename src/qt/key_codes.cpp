#include "qt/key_codes.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <algorithm>
#include <string_view>
#include <utility>

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

constexpr int modifiers[] = {Qt::Key_Shift, Qt::Key_Control, Qt::Key_Alt, Qt::Key_AltGr,
                             Qt::Key_Meta, Qt::Key_Super_L, Qt::Key_Super_R};

KeyInput keyInput(int qtKey, quint32 scanCode) {
    using Kind = KeyInput::Kind;
    if (qtKey == Qt::Key_unknown) return {Kind::Unidentified};
    if (std::ranges::find(modifiers, qtKey) != std::end(modifiers)) return {Kind::Modifier};
    // Qt's keys with a code of their own, by the names Qt gives them.
    const QByteArray name = QKeySequence(qtKey).toString(QKeySequence::PortableText).toUtf8();
    if (const auto named = namedKeyCode(KeyNaming::Qt, std::string_view(name.constData(), std::size_t(name.size()))))
        return {Kind::Named, std::uint32_t(*named)};
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
