#pragma once
// Where a window may lie: on the screens there are. A size or position read from the options file
// or worked out for a small screen is brought inside the available area before a window takes it.
#include <QRect>

namespace forms {

// `window` (outer rectangle, logical pixels) bounded by the screens: no larger than the available
// area of the screen it lies most on (the primary screen when it lies on none), and on that area —
// a window that would show less than a grip's worth of itself there is moved inside it. Without any
// screen the rectangle is returned as it is.
QRect boundedByScreens(const QRect& window);

}  // namespace forms
