#pragma once
// The chart window's background picture PicBack.
#include <QPixmap>
#include <QSize>

namespace windows {

// A quiet paper ground with a faint double border, `size` in pixels.
QPixmap drawChartBackground(QSize size);

}  // namespace windows
