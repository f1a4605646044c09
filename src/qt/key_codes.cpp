#include "qt/key_codes.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <algorithm>
#include <string_view>

#include "midend/us_keyboard.h"

namespace zv {
namespace {

constexpr int modifiers[] = {Qt::Key_Shift, Qt::Key_Control, Qt::Key_Alt, Qt::Key_AltGr,
                             Qt::Key_Meta, Qt::Key_Super_L, Qt::Key_Super_R};

}  // namespace

KeyInput keyInput(const QKeyEvent& event) {
    using Kind = KeyInput::Kind;
    const int qtKey = event.key();
    if (qtKey == Qt::Key_unknown) return {Kind::Unidentified};
    if (std::ranges::find(modifiers, qtKey) != std::end(modifiers)) return {Kind::Modifier};
    // Qt's keys with a code of their own, by the names Qt gives them.
    const QByteArray name = QKeySequence(qtKey).toString(QKeySequence::PortableText).toUtf8();
    if (const auto named = namedKeyCode(KeyNaming::Qt, std::string_view(name.constData(), std::size_t(name.size()))))
        return {Kind::Named, std::uint32_t(*named)};
    // Below its first named key, a Qt key is the character typed; the place is the Linux key code + 8.
    if (qtKey < Qt::Key_Escape) return {Kind::Symbol, std::uint32_t(qtKey), usKeyAt(event.nativeScanCode() - 8)};
    return {Kind::Other, std::uint32_t(qtKey)};
}

HeldModifiers heldModifiers(const QKeyEvent& event) {
    const Qt::KeyboardModifiers held = event.modifiers();
    return {.shift = held.testFlag(Qt::ShiftModifier),
            .ctrl = held.testFlag(Qt::ControlModifier),
            .alt = held.testFlag(Qt::AltModifier)};
}

}  // namespace zv
