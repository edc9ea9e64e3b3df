#include "platform/forms/twips_geometry.h"

#include "platform/vb/twips.h"

#include <QWidget>

namespace forms {

void setTwipsGeometry(QWidget* widget, int left, int top, int width, int height) {
    widget->setGeometry(vb::twipsToPixels(QRectF(left, top, width, height)));
}

QRect twipsGeometry(const QWidget* widget) { return vb::pixelsToTwips(widget->geometry()).toRect(); }

}  // namespace forms
