// Qt keys become the Windows virtual-key codes the players' keys are stored in; a keypad key
// gives its digit whatever the NumLock state.
#include "widgets/key_codes.h"

#include <gtest/gtest.h>

namespace kroda::widgets {
namespace {

TEST(KeyCodes, LettersDigitsSpaceAndArrows) {
    EXPECT_EQ(virtualKeyCode(Qt::Key_A, {}), 65);
    EXPECT_EQ(virtualKeyCode(Qt::Key_Z, Qt::ShiftModifier), 90);
    EXPECT_EQ(virtualKeyCode(Qt::Key_0, {}), 48);
    EXPECT_EQ(virtualKeyCode(Qt::Key_9, {}), 57);
    EXPECT_EQ(virtualKeyCode(Qt::Key_Space, {}), 32);
    EXPECT_EQ(virtualKeyCode(Qt::Key_Left, {}), 37);
    EXPECT_EQ(virtualKeyCode(Qt::Key_Up, {}), 38);
    EXPECT_EQ(virtualKeyCode(Qt::Key_Right, {}), 39);
    EXPECT_EQ(virtualKeyCode(Qt::Key_Down, {}), 40);
}

TEST(KeyCodes, KeypadByPlaceWhateverNumLock) {
    // NumLock on: the keypad reports digits; off: arrows, clear and the like.
    const struct {
        int on, off, code;
    } pad[] = {{Qt::Key_0, Qt::Key_Insert, 96}, {Qt::Key_1, Qt::Key_End, 97},
               {Qt::Key_2, Qt::Key_Down, 98},   {Qt::Key_3, Qt::Key_PageDown, 99},
               {Qt::Key_4, Qt::Key_Left, 100},  {Qt::Key_5, Qt::Key_Clear, 101},
               {Qt::Key_6, Qt::Key_Right, 102}, {Qt::Key_7, Qt::Key_Home, 103},
               {Qt::Key_8, Qt::Key_Up, 104},    {Qt::Key_9, Qt::Key_PageUp, 105}};
    for (const auto& k : pad) {
        EXPECT_EQ(virtualKeyCode(k.on, Qt::KeypadModifier), k.code);
        EXPECT_EQ(virtualKeyCode(k.off, Qt::KeypadModifier), k.code);
    }
    // The same keys off the keypad keep their own codes, so player 3's arrows stay his.
    EXPECT_EQ(virtualKeyCode(Qt::Key_Left, {}), 37);
    EXPECT_EQ(virtualKeyCode(Qt::Key_4, {}), 52);
}

TEST(KeyCodes, NonLatinLayoutsUseTheKeysPlace) {
    // Under a Thai layout the S key reports a Thai letter; its X key code is 39.
    EXPECT_EQ(virtualKeyCode(0x0E2B, {}, 39), 83);
    EXPECT_EQ(virtualKeyCode(0x0E2B, {}, 0), 0);
}

TEST(KeyCodes, ShiftState) {
    EXPECT_EQ(shiftState(Qt::ShiftModifier | Qt::AltModifier), 5);
    EXPECT_EQ(shiftState(Qt::ControlModifier | Qt::KeypadModifier), 2);
}

}  // namespace
}  // namespace kroda::widgets
