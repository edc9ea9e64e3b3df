#pragma once
// The program's icon and splash picture, drawn rather than shipped: a night-blue disc with the
// twelve palaces around the character 紫.
#include <QIcon>
#include <QPixmap>

namespace library {

QIcon appIcon();
// The splash picture at `size` logical pixels.
QPixmap splashPicture(const QSize& size);

}  // namespace library
