#pragma once
// The arguments of a MouseDown or MouseUp handler: the button (vbLeftButton ...), the shift state
// (vbShiftMask ...) and the position in twips of the control's drawing area.
#include <QMetaType>
#include <QPoint>

class QMouseEvent;

namespace forms {

struct MouseArgs {
    int button = 0;
    int shift = 0;
    double x = 0;
    double y = 0;
};

// `origin` is the top-left of the drawing area in the widget's pixels (its border width, if any).
MouseArgs mouseArgs(const QMouseEvent& event, QPoint origin = {});

}  // namespace forms

Q_DECLARE_METATYPE(forms::MouseArgs)
