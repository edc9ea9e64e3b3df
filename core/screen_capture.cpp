#include "core/screen_capture.h"

#include "platform/vb/error.h"

#include <QApplication>
#include <QClipboard>
#include <QPixmap>
#include <QWidget>

namespace core {

void CopyScreenAreaToClipboard(int left, int top, int right, int bottom) {
    QWidget* window = QApplication::activeWindow();
    if (!window) vb::raise(vb::kObjectNotSet);
    const QPoint origin = window->mapFromGlobal(QPoint(left, top));
    const QRect area(origin, QSize(right - left, bottom - top));
    if (area.isEmpty()) return;
    // Parts of the area outside the window stay blank, as an off-screen part of a screen copy would.
    QPixmap picture(area.size());
    picture.fill(Qt::white);
    window->render(&picture, QPoint(), QRegion(area));
    if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->setPixmap(picture);
}

}  // namespace core
