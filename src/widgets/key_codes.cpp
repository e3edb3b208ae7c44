#include "widgets/key_codes.h"

#include <QKeyEvent>

namespace kroda::widgets {

namespace {

// The keypad by place: what the key reports with NumLock off, and its digit.
int keypadDigit(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Insert:
            return 0;
        case Qt::Key_End:
            return 1;
        case Qt::Key_Down:
            return 2;
        case Qt::Key_PageDown:
            return 3;
        case Qt::Key_Left:
            return 4;
        case Qt::Key_Clear:
            return 5;
        case Qt::Key_Right:
            return 6;
        case Qt::Key_Home:
            return 7;
        case Qt::Key_Up:
            return 8;
        case Qt::Key_PageUp:
            return 9;
        default:
            break;
    }
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return qtKey - Qt::Key_0;
    return -1;
}

int keypadOther(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Asterisk:
            return 106;
        case Qt::Key_Plus:
            return 107;
        case Qt::Key_Minus:
            return 109;
        case Qt::Key_Delete:
        case Qt::Key_Period:
        case Qt::Key_Comma:
            return 110;
        case Qt::Key_Slash:
            return 111;
        case Qt::Key_Enter:
            return VkReturn;
        default:
            return 0;
    }
}

// Linux evdev key numbers (X11 key code minus 8) of the letter and digit keys, by place.
int virtualKeyFromScanCode(std::uint32_t scan) {
    if (scan < 8)
        return 0;
    static const char* const rows[] = {
        "\x02"
        "1234567890",  // evdev 2..11
        "\x10"
        "QWERTYUIOP",  // 16..25
        "\x1e"
        "ASDFGHJKL",  // 30..38
        "\x2c"
        "ZXCVBNM",  // 44..50
    };
    const auto code = scan - 8;
    for (const char* row : rows) {
        const auto first = static_cast<std::uint32_t>(static_cast<unsigned char>(row[0]));
        const char* keys = row + 1;
        for (std::uint32_t i = 0; keys[i] != '\0'; ++i)
            if (code == first + i)
                return keys[i];
    }
    return 0;
}

}  // namespace

int virtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers, std::uint32_t nativeScanCode) {
    if (modifiers.testFlag(Qt::KeypadModifier)) {
        const int digit = keypadDigit(qtKey);
        if (digit >= 0)
            return VkNumpad0 + digit;
        if (const int other = keypadOther(qtKey))
            return other;
    }
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return qtKey;  // the same codes, 65..90
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return qtKey;  // 48..57
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return 112 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
        case Qt::Key_Space:
            return VkSpace;
        case Qt::Key_Left:
            return VkLeft;
        case Qt::Key_Up:
            return VkUp;
        case Qt::Key_Right:
            return VkRight;
        case Qt::Key_Down:
            return VkDown;
        case Qt::Key_Backspace:
            return VkBack;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return VkTab;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return VkReturn;
        case Qt::Key_Shift:
            return VkShift;
        case Qt::Key_Control:
            return VkControl;
        case Qt::Key_Alt:
        case Qt::Key_AltGr:
            return VkMenu;
        case Qt::Key_CapsLock:
            return VkCapital;
        case Qt::Key_NumLock:
            return VkNumLock;
        case Qt::Key_ScrollLock:
            return VkScroll;
        case Qt::Key_Pause:
            return VkPause;
        case Qt::Key_Print:
            return VkSnapshot;
        case Qt::Key_Super_L:
        case Qt::Key_Meta:
            return VkLWin;
        case Qt::Key_Super_R:
            return VkRWin;
        case Qt::Key_Menu:
            return VkApps;
        case Qt::Key_Escape:
            return VkEscape;
        case Qt::Key_PageUp:
            return 33;
        case Qt::Key_PageDown:
            return 34;
        case Qt::Key_End:
            return 35;
        case Qt::Key_Home:
            return 36;
        case Qt::Key_Insert:
            return 45;
        case Qt::Key_Delete:
            return 46;
        case Qt::Key_Clear:
            return 12;
        case Qt::Key_Semicolon:
        case Qt::Key_Colon:
            return 186;
        case Qt::Key_Equal:
        case Qt::Key_Plus:
            return 187;
        case Qt::Key_Comma:
        case Qt::Key_Less:
            return 188;
        case Qt::Key_Minus:
        case Qt::Key_Underscore:
            return 189;
        case Qt::Key_Period:
        case Qt::Key_Greater:
            return 190;
        case Qt::Key_Slash:
        case Qt::Key_Question:
            return 191;
        case Qt::Key_QuoteLeft:
        case Qt::Key_AsciiTilde:
            return 192;
        case Qt::Key_BracketLeft:
        case Qt::Key_BraceLeft:
            return 219;
        case Qt::Key_Backslash:
        case Qt::Key_Bar:
            return 220;
        case Qt::Key_BracketRight:
        case Qt::Key_BraceRight:
            return 221;
        case Qt::Key_Apostrophe:
        case Qt::Key_QuoteDbl:
            return 222;
        default:
            break;
    }
    // Shifted digits and letters under another layout: the key's place decides.
    if (const int byPlace = virtualKeyFromScanCode(nativeScanCode))
        return byPlace;
    return VkUnmapped;
}

int virtualKeyCode(const QKeyEvent& event) {
    return virtualKeyCode(event.key(), event.modifiers(), event.nativeScanCode());
}

int shiftState(Qt::KeyboardModifiers modifiers) {
    int shift = 0;
    if (modifiers.testFlag(Qt::ShiftModifier))
        shift |= 1;
    if (modifiers.testFlag(Qt::ControlModifier))
        shift |= 2;
    if (modifiers.testFlag(Qt::AltModifier))
        shift |= 4;
    return shift;
}

}  // namespace kroda::widgets
