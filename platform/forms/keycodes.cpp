#include "platform/forms/keycodes.h"

#include <QKeyEvent>

#include <array>

namespace forms {
namespace {

struct KeyPair {
    int qtKey;
    int code;
};

// Keys whose code is not their character.
constexpr std::array kNamedKeys{
    KeyPair{Qt::Key_Backspace, vbKeyBack},   KeyPair{Qt::Key_Tab, vbKeyTab},
    KeyPair{Qt::Key_Backtab, vbKeyTab},      KeyPair{Qt::Key_Clear, vbKeyClear},
    KeyPair{Qt::Key_Return, vbKeyReturn},    KeyPair{Qt::Key_Enter, vbKeyReturn},
    KeyPair{Qt::Key_Shift, vbKeyShift},      KeyPair{Qt::Key_Control, vbKeyControl},
    KeyPair{Qt::Key_Alt, vbKeyMenu},         KeyPair{Qt::Key_Pause, vbKeyPause},
    KeyPair{Qt::Key_CapsLock, vbKeyCapital}, KeyPair{Qt::Key_Escape, vbKeyEscape},
    KeyPair{Qt::Key_Space, vbKeySpace},      KeyPair{Qt::Key_PageUp, vbKeyPageUp},
    KeyPair{Qt::Key_PageDown, vbKeyPageDown}, KeyPair{Qt::Key_End, vbKeyEnd},
    KeyPair{Qt::Key_Home, vbKeyHome},        KeyPair{Qt::Key_Left, vbKeyLeft},
    KeyPair{Qt::Key_Up, vbKeyUp},            KeyPair{Qt::Key_Right, vbKeyRight},
    KeyPair{Qt::Key_Down, vbKeyDown},        KeyPair{Qt::Key_Print, vbKeySnapshot},
    KeyPair{Qt::Key_Insert, vbKeyInsert},    KeyPair{Qt::Key_Delete, vbKeyDelete},
    KeyPair{Qt::Key_Help, vbKeyHelp},        KeyPair{Qt::Key_NumLock, vbKeyNumlock},
    KeyPair{Qt::Key_ScrollLock, vbKeyScrollLock},
    // Punctuation keys of a US layout, unshifted and shifted.
    KeyPair{Qt::Key_Semicolon, 186},         KeyPair{Qt::Key_Colon, 186},
    KeyPair{Qt::Key_Equal, 187},             KeyPair{Qt::Key_Plus, 187},
    KeyPair{Qt::Key_Comma, 188},             KeyPair{Qt::Key_Less, 188},
    KeyPair{Qt::Key_Minus, 189},             KeyPair{Qt::Key_Underscore, 189},
    KeyPair{Qt::Key_Period, 190},            KeyPair{Qt::Key_Greater, 190},
    KeyPair{Qt::Key_Slash, 191},             KeyPair{Qt::Key_Question, 191},
    KeyPair{Qt::Key_QuoteLeft, 192},         KeyPair{Qt::Key_AsciiTilde, 192},
    KeyPair{Qt::Key_BracketLeft, 219},       KeyPair{Qt::Key_BraceLeft, 219},
    KeyPair{Qt::Key_Backslash, 220},         KeyPair{Qt::Key_Bar, 220},
    KeyPair{Qt::Key_BracketRight, 221},      KeyPair{Qt::Key_BraceRight, 221},
    KeyPair{Qt::Key_Apostrophe, 222},        KeyPair{Qt::Key_QuoteDbl, 222},
    // Shifted digits.
    KeyPair{Qt::Key_ParenRight, vbKey0 + 0}, KeyPair{Qt::Key_Exclam, vbKey0 + 1},
    KeyPair{Qt::Key_At, vbKey0 + 2},         KeyPair{Qt::Key_NumberSign, vbKey0 + 3},
    KeyPair{Qt::Key_Dollar, vbKey0 + 4},     KeyPair{Qt::Key_Percent, vbKey0 + 5},
    KeyPair{Qt::Key_AsciiCircum, vbKey0 + 6}, KeyPair{Qt::Key_Ampersand, vbKey0 + 7},
    KeyPair{Qt::Key_Asterisk, vbKey0 + 8},   KeyPair{Qt::Key_ParenLeft, vbKey0 + 9},
};

// Keys of the numeric keypad that have codes of their own.
constexpr std::array kKeypadKeys{
    KeyPair{Qt::Key_Asterisk, vbKeyMultiply}, KeyPair{Qt::Key_Plus, vbKeyAdd},
    KeyPair{Qt::Key_Minus, vbKeySubtract},    KeyPair{Qt::Key_Period, vbKeyDecimal},
    KeyPair{Qt::Key_Comma, vbKeyDecimal},     KeyPair{Qt::Key_Slash, vbKeyDivide},
};

}  // namespace

int keyCode(int qtKey, Qt::KeyboardModifiers modifiers) {
    if (modifiers.testFlag(Qt::KeypadModifier)) {
        if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return vbKeyNumpad0 + (qtKey - Qt::Key_0);
        for (const KeyPair& k : kKeypadKeys)
            if (k.qtKey == qtKey) return k.code;
    }
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return vbKey0 + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return vbKeyA + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return vbKeyF1 + (qtKey - Qt::Key_F1);
    for (const KeyPair& k : kNamedKeys)
        if (k.qtKey == qtKey) return k.code;
    return 0;
}

int keyCode(const QKeyEvent& event) { return keyCode(event.key(), event.modifiers()); }

int shiftState(Qt::KeyboardModifiers modifiers) {
    return (modifiers.testFlag(Qt::ShiftModifier) ? vbShiftMask : 0) |
           (modifiers.testFlag(Qt::ControlModifier) ? vbCtrlMask : 0) |
           (modifiers.testFlag(Qt::AltModifier) ? vbAltMask : 0);
}

int mouseButtons(Qt::MouseButtons buttons) {
    return (buttons.testFlag(Qt::LeftButton) ? vbLeftButton : 0) |
           (buttons.testFlag(Qt::RightButton) ? vbRightButton : 0) |
           (buttons.testFlag(Qt::MiddleButton) ? vbMiddleButton : 0);
}

}  // namespace forms
