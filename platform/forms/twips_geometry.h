#pragma once
// Control geometry in twips, the unit in which windows are laid out (15 twips per logical pixel).
#include <QRect>

class QWidget;

namespace forms {

// Places `widget` at Left/Top with Width/Height, all in twips of its parent.
void setTwipsGeometry(QWidget* widget, int left, int top, int width, int height);

// Left, Top, Width and Height of `widget` in twips.
QRect twipsGeometry(const QWidget* widget);

}  // namespace forms
