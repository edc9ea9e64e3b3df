#include "windows/chart_background.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPixmapCache>

namespace windows {

QPixmap drawChartBackground(QSize size) {
    // Drawn once per size: every opening of the chart window shows the same picture.
    const QString key = QStringLiteral("veyra-chart-background-%1x%2").arg(size.width()).arg(size.height());
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap)) return pixmap;
    pixmap = QPixmap(size);
    QPainter p(&pixmap);
    QLinearGradient ground(0, 0, size.width(), size.height());
    ground.setColorAt(0, QColor(250, 246, 236));
    ground.setColorAt(1, QColor(240, 232, 214));
    p.fillRect(pixmap.rect(), ground);
    // Fine horizontal fibres, as on xuan paper.
    p.setPen(QColor(232, 224, 204));
    for (int y = 3; y < size.height(); y += 7) p.drawLine(0, y, size.width(), y);
    p.setPen(QPen(QColor(176, 140, 96), 2));
    p.drawRect(QRect(QPoint(1, 1), size - QSize(3, 3)));
    p.setPen(QPen(QColor(176, 140, 96), 1));
    p.drawRect(QRect(QPoint(5, 5), size - QSize(11, 11)));
    p.end();
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

}  // namespace windows
