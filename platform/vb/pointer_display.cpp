#include "platform/vb/pointer_display.h"

#include "platform/vb/mousepointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace vb {

namespace {

// Whether this layer holds an override cursor on Qt's stack.
bool gOverrideActive = false;

void showPointer(int16_t value) {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
    Qt::CursorShape shape = Qt::ArrowCursor;
    if (value == vbDefault || !cursorShapeOf(value, &shape)) {
        if (gOverrideActive) QGuiApplication::restoreOverrideCursor();
        gOverrideActive = false;
    } else if (gOverrideActive) {
        QGuiApplication::changeOverrideCursor(QCursor(shape));
    } else {
        QGuiApplication::setOverrideCursor(QCursor(shape));
        gOverrideActive = true;
    }
}

}  // namespace

void installPointerDisplay() { setPointerDisplay(&showPointer); }

}  // namespace vb
