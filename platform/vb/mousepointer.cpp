#include "platform/vb/mousepointer.h"

#include "platform/vb/error.h"
#include "platform/vb/variant.h"

#include <QCursor>
#include <QGuiApplication>

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

// The value in force and whether this layer holds an override cursor on Qt's stack.
int16_t gPointer = vbDefault;
bool gOverrideActive = false;

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
    Qt::CursorShape shape = Qt::ArrowCursor;
    if (v != vbDefault && !cursorShapeOf(v, &shape)) raise(kInvalidPropertyValue);
    // Without a GUI application (tools, benchmarks) there is no cursor to show; the value still counts.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        gPointer = v;
        return;
    }
    if (v == vbDefault) {
        if (gOverrideActive) QGuiApplication::restoreOverrideCursor();
        gOverrideActive = false;
    } else if (gOverrideActive) {
        QGuiApplication::changeOverrideCursor(QCursor(shape));
    } else {
        QGuiApplication::setOverrideCursor(QCursor(shape));
        gOverrideActive = true;
    }
    gPointer = v;
}

}  // namespace vb
