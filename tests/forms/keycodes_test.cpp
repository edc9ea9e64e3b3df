#include "platform/forms/keycodes.h"

#include <gtest/gtest.h>

namespace {

struct KeyCase {
    int qtKey;
    Qt::KeyboardModifiers modifiers;
    int code;
};

TEST(KeyCodes, KeysGiveTheCodesHandlersCompareWith) {
    const KeyCase cases[] = {
        {Qt::Key_PageUp, {}, forms::vbKeyPageUp},         {Qt::Key_PageDown, {}, 34},
        {Qt::Key_End, {}, 35},                            {Qt::Key_Home, {}, 36},
        {Qt::Key_Left, {}, 37},                           {Qt::Key_Up, {}, 38},
        {Qt::Key_Right, {}, 39},                          {Qt::Key_Down, {}, 40},
        {Qt::Key_Left, Qt::KeypadModifier, 37},           {Qt::Key_Return, {}, 13},
        {Qt::Key_Enter, Qt::KeypadModifier, 13},          {Qt::Key_Escape, {}, 27},
        {Qt::Key_Delete, {}, 46},                         {Qt::Key_Backspace, {}, 8},
        {Qt::Key_A, {}, 65},                              {Qt::Key_Z, Qt::ShiftModifier, 90},
        {Qt::Key_7, {}, 55},                              {Qt::Key_Exclam, Qt::ShiftModifier, 49},
        {Qt::Key_ParenRight, Qt::ShiftModifier, 48},      {Qt::Key_5, Qt::KeypadModifier, 101},
        {Qt::Key_Plus, Qt::KeypadModifier, 107},          {Qt::Key_Plus, Qt::ShiftModifier, 187},
        {Qt::Key_F1, {}, 112},                            {Qt::Key_F12, {}, 123},
        {Qt::Key_Semicolon, {}, 186},                     {Qt::Key_MediaPlay, {}, 0},
    };
    for (const KeyCase& c : cases)
        EXPECT_EQ(forms::keyCode(c.qtKey, c.modifiers), c.code) << "Qt key 0x" << std::hex << c.qtKey;
}

TEST(KeyCodes, ShiftStateAndButtonsAreBitMasks) {
    EXPECT_EQ(forms::shiftState(Qt::ShiftModifier | Qt::AltModifier), 5);
    EXPECT_EQ(forms::shiftState(Qt::ControlModifier | Qt::KeypadModifier), 2);
    EXPECT_EQ(forms::mouseButtons(Qt::LeftButton), 1);
    EXPECT_EQ(forms::mouseButtons(Qt::RightButton | Qt::MiddleButton), 6);
}

}  // namespace
