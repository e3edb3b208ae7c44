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
    VkPause = 0x13,
    VkCapital = 0x14,
    VkEscape = 27,
    VkSpace = 32,
    VkLeft = 37,
    VkUp = 38,
    VkRight = 39,
    VkDown = 40,
    VkSnapshot = 0x2C,
    VkLWin = 0x5B,
    VkRWin = 0x5C,
    VkApps = 0x5D,
    VkNumpad0 = 96,
    VkNumLock = 0x90,
    VkScroll = 0x91,
    // What Windows reports for a key it has no code for.
    VkUnmapped = 0xFF,
};

// The virtual-key code of a key; a key with no code of its own gives VkUnmapped, so that every
// key counts as a key to the game. A keypad key (KeypadModifier set)
// gives its digit whatever the NumLock state: with NumLock off the keypad reports
// arrows and the like, so it is mapped by the key's place on the pad. The scan code, when
// given, names letters and digits by their place under a non-Latin layout (Thai).
int virtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers, std::uint32_t nativeScanCode = 0);
int virtualKeyCode(const QKeyEvent& event);

// The Windows shift state: 1 Shift, 2 Ctrl, 4 Alt.
int shiftState(Qt::KeyboardModifiers modifiers);

}  // namespace kroda::widgets
