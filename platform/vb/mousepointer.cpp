#include "platform/vb/mousepointer.h"

#include "platform/vb/error.h"
#include "platform/vb/variant.h"

#include <array>

namespace vb {

namespace {

struct PointerShape {
    int value;
    Qt::CursorShape shape;
};
constexpr std::array kPointerShapes{
    PointerShape{vbArrow, Qt::ArrowCursor},          PointerShape{vbCrosshair, Qt::CrossCursor},
    PointerShape{vbIbeam, Qt::IBeamCursor},          PointerShape{vbIconPointer, Qt::ArrowCursor},
    PointerShape{vbSizePointer, Qt::SizeAllCursor},  PointerShape{vbSizeNESW, Qt::SizeBDiagCursor},
    PointerShape{vbSizeNS, Qt::SizeVerCursor},       PointerShape{vbSizeNWSE, Qt::SizeFDiagCursor},
    PointerShape{vbSizeWE, Qt::SizeHorCursor},       PointerShape{vbUpArrow, Qt::UpArrowCursor},
    PointerShape{vbHourglass, Qt::WaitCursor},       PointerShape{vbNoDrop, Qt::ForbiddenCursor},
    PointerShape{vbArrowHourglass, Qt::BusyCursor},  PointerShape{vbArrowQuestion, Qt::WhatsThisCursor},
    PointerShape{vbSizeAll, Qt::SizeAllCursor},
};

int16_t gPointer = vbDefault;
PointerDisplay gDisplay = nullptr;

}  // namespace

bool cursorShapeOf(int value, Qt::CursorShape* shape) {
    for (const auto& p : kPointerShapes)
        if (p.value == value) {
            if (shape) *shape = p.shape;
            return true;
        }
    return false;
}

int16_t screenMousePointer() { return gPointer; }

void setScreenMousePointer(int value) {
    const int16_t v = checkedInt16(value);
    if (v != vbDefault && !cursorShapeOf(v, nullptr)) raise(kInvalidPropertyValue);
    if (gDisplay) gDisplay(v);
    gPointer = v;
}

void setPointerDisplay(PointerDisplay display) { gDisplay = display; }

}  // namespace vb
