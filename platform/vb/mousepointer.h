#pragma once
// The application-wide mouse pointer (Screen.MousePointer): one value that overrides the pointer of
// every window of the program while it is not 0. Setting it replaces the value; it is not a stack,
// so setting 0 always brings back the windows' own pointers.
#include <Qt>

#include <cstdint>

namespace vb {

enum MousePointer : int16_t {
    vbDefault = 0,
    vbArrow = 1,
    vbCrosshair = 2,
    vbIbeam = 3,
    vbIconPointer = 4,
    vbSizePointer = 5,
    vbSizeNESW = 6,
    vbSizeNS = 7,
    vbSizeNWSE = 8,
    vbSizeWE = 9,
    vbUpArrow = 10,
    vbHourglass = 11,
    vbNoDrop = 12,
    vbArrowHourglass = 13,
    vbArrowQuestion = 14,
    vbSizeAll = 15,
};

// The pointer value now in force (0 when none is set).
int16_t screenMousePointer();
// Sets the pointer; 0 removes the override. Raises 6 for a value outside 16 bits and 380 for a value
// that names no pointer.
void setScreenMousePointer(int value);

// The Qt cursor shape a pointer value shows; false for 0 and for values that name no pointer.
bool cursorShapeOf(int value, Qt::CursorShape* shape);

// What shows a new pointer value on screen. The value alone needs no GUI (tools, benchmarks and the
// engines set it too); a GUI program installs the display (installPointerDisplay, pointer_display.h).
using PointerDisplay = void (*)(int16_t value);
void setPointerDisplay(PointerDisplay display);

}  // namespace vb
