#pragma once
// Key codes, shift states and mouse buttons as the windows' handlers number them.
#include <Qt>

class QKeyEvent;

namespace forms {

enum KeyCode : int {
    vbKeyBack = 8,
    vbKeyTab = 9,
    vbKeyClear = 12,
    vbKeyReturn = 13,
    vbKeyShift = 16,
    vbKeyControl = 17,
    vbKeyMenu = 18,
    vbKeyPause = 19,
    vbKeyCapital = 20,
    vbKeyEscape = 27,
    vbKeySpace = 32,
    vbKeyPageUp = 33,
    vbKeyPageDown = 34,
    vbKeyEnd = 35,
    vbKeyHome = 36,
    vbKeyLeft = 37,
    vbKeyUp = 38,
    vbKeyRight = 39,
    vbKeyDown = 40,
    vbKeyPrint = 42,
    vbKeySnapshot = 44,
    vbKeyInsert = 45,
    vbKeyDelete = 46,
    vbKeyHelp = 47,
    vbKey0 = 48,  // vbKey1 ... vbKey9 follow
    vbKeyA = 65,  // vbKeyB ... vbKeyZ follow
    vbKeyNumpad0 = 96,  // vbKeyNumpad1 ... vbKeyNumpad9 follow
    vbKeyMultiply = 106,
    vbKeyAdd = 107,
    vbKeySeparator = 108,
    vbKeySubtract = 109,
    vbKeyDecimal = 110,
    vbKeyDivide = 111,
    vbKeyF1 = 112,  // vbKeyF2 ... vbKeyF24 follow
    vbKeyNumlock = 144,
    vbKeyScrollLock = 145,
};

enum ShiftMask : int { vbShiftMask = 1, vbCtrlMask = 2, vbAltMask = 4 };
enum MouseButtonMask : int { vbLeftButton = 1, vbRightButton = 2, vbMiddleButton = 4 };

// The key code of a key event, or 0 for a key that has none. Shifted symbols give the code of their
// key on a US layout (Shift+1 gives vbKey0 + 1), as the codes name keys, not characters.
int keyCode(const QKeyEvent& event);
int keyCode(int qtKey, Qt::KeyboardModifiers modifiers);

int shiftState(Qt::KeyboardModifiers modifiers);
int mouseButtons(Qt::MouseButtons buttons);

}  // namespace forms
