#pragma once
// Qt key events as the Windows virtual-key codes the players' keys are stored in.

#include <Qt>

#include <cstdint>

class QKeyEvent;

namespace kroda::widgets {

// Virtual-key codes the game's keys use; the others follow the same table.
enum VirtualKey : int {
    VkBack = 8,
    VkTab = 9,
    VkReturn = 13,
    VkShift = 16,
    VkControl = 17,
    VkMenu = 18,
    VkEscape = 27,
    VkSpace = 32,
    VkLeft = 37,
    VkUp = 38,
    VkRight = 39,
    VkDown = 40,
    VkNumpad0 = 96,
};

// The virtual-key code of a key, 0 when it has none. A keypad key (KeypadModifier set)
// gives its digit whatever the NumLock state: with NumLock off the keypad reports
// arrows and the like, so it is mapped by the key's place on the pad. The scan code, when
// given, names letters and digits by their place under a non-Latin layout (Thai).
int virtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers, std::uint32_t nativeScanCode = 0);
int virtualKeyCode(const QKeyEvent& event);

// The Windows shift state: 1 Shift, 2 Ctrl, 4 Alt.
int shiftState(Qt::KeyboardModifiers modifiers);

}  // namespace kroda::widgets
