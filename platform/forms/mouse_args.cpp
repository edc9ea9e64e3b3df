#include "platform/forms/mouse_args.h"

#include "platform/forms/keycodes.h"
#include "platform/vb/twips.h"

#include <QMouseEvent>

namespace forms {

MouseArgs mouseArgs(const QMouseEvent& event, QPoint origin) {
    const QPointF p = event.position() - QPointF(origin);
    return MouseArgs{mouseButtons(event.button()), shiftState(event.modifiers()), vb::pixelsToTwips(p.x()),
                     vb::pixelsToTwips(p.y())};
}

}  // namespace forms
