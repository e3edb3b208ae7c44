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
}

// Every key has a code, so that "any other key" beeps during a throw and refuses an offer:
// the locks, Pause, the system keys and the modifiers their own, anything else one for all.
TEST(KeyCodes, EveryKeyHasACode) {
    const struct {
        int key, code;
    } keys[] = {{Qt::Key_CapsLock, 0x14},
                {Qt::Key_NumLock, 0x90},
                {Qt::Key_ScrollLock, 0x91},
                {Qt::Key_Pause, 0x13},
                {Qt::Key_Super_L, 0x5B},
                {Qt::Key_Meta, 0x5B},
                {Qt::Key_Super_R, 0x5C},
                {Qt::Key_Menu, 0x5D},
                {Qt::Key_Print, 0x2C},
                {Qt::Key_Shift, 16},
                {Qt::Key_Control, 17},
                {Qt::Key_Alt, 18},
                {Qt::Key_AltGr, 18},
                {Qt::Key_VolumeUp, 0xFF},
                {Qt::Key_unknown, 0xFF},
                {0x0E2B, 0xFF},
                {0, 0xFF}};
    for (const auto& k : keys) EXPECT_EQ(virtualKeyCode(k.key, {}), k.code) << std::hex << k.key;
}

TEST(KeyCodes, ShiftState) {
    EXPECT_EQ(shiftState(Qt::ShiftModifier | Qt::AltModifier), 5);
    EXPECT_EQ(shiftState(Qt::ControlModifier | Qt::KeypadModifier), 2);
}

}  // namespace
}  // namespace kroda::widgets
