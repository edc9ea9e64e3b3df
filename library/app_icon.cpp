#include "library/app_icon.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QtMath>

namespace library {

namespace {

const QColor kNight(0x1f, 0x23, 0x4d);
const QColor kPurple(0x7a, 0x3e, 0x9d);
const QColor kGold(0xe8, 0xc5, 0x6a);

// The twelve palaces as a ring of ticks around the centre, 子 at the bottom as charts put it.
void drawPalaceRing(QPainter& p, const QPointF& centre, double outer, double inner) {
    p.setPen(QPen(kGold, std::max(1.0, outer / 40)));
    for (int i = 0; i < 12; ++i) {
        const double a = qDegreesToRadians(90.0 + 30.0 * i);
        p.drawLine(centre + QPointF(inner * std::cos(a), inner * std::sin(a)),
                   centre + QPointF(outer * std::cos(a), outer * std::sin(a)));
    }
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, outer, outer);
    p.drawEllipse(centre, inner, inner);
}

QPixmap iconPicture(int side) {
    QPixmap pm(side, side);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(side / 2.0, side / 2.0);
    p.setPen(Qt::NoPen);
    p.setBrush(kNight);
    p.drawEllipse(c, side / 2.0 - 0.5, side / 2.0 - 0.5);
    drawPalaceRing(p, c, side * 0.46, side * 0.36);
    QFont f(QStringLiteral("Noto Serif CJK SC"));
    f.setPixelSize(static_cast<int>(side * 0.42));
    p.setFont(f);
    p.setPen(kGold);
    p.drawText(QRectF(0, 0, side, side), Qt::AlignCenter, QStringLiteral("紫"));
    return pm;
}

}  // namespace

QIcon appIcon() {
    QIcon icon;
    for (int side : {16, 32, 48, 64}) icon.addPixmap(iconPicture(side));
    return icon;
}

QPixmap splashPicture(const QSize& size) {
    QPixmap pm(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, kNight);
    sky.setColorAt(1, kPurple);
    p.fillRect(pm.rect(), sky);
    // A scatter of stars, placed by a fixed rule so the picture is the same at every start.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 170));
    for (int i = 0; i < 60; ++i) {
        const double x = std::fmod(i * 97.31, size.width());
        const double y = std::fmod(i * 53.17 + i * i * 1.7, size.height() * 0.9);
        p.drawEllipse(QPointF(x, y), 1.0 + (i % 3) * 0.5, 1.0 + (i % 3) * 0.5);
    }
    const double r = size.height() * 0.36;
    const QPointF centre(size.width() * 0.27, size.height() / 2.0);
    drawPalaceRing(p, centre, r, r * 0.72);
    QFont big(QStringLiteral("Noto Serif CJK SC"));
    big.setPixelSize(static_cast<int>(r * 0.8));
    p.setFont(big);
    p.setPen(kGold);
    p.drawText(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r), Qt::AlignCenter, QStringLiteral("紫"));

    QFont title(QStringLiteral("Noto Serif CJK SC"));
    title.setPixelSize(size.height() / 7);
    p.setFont(title);
    p.setPen(Qt::white);
    const QRectF text(size.width() * 0.52, size.height() * 0.22, size.width() * 0.46, size.height() * 0.3);
    p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("紫微斗数"));
    QFont sub(QStringLiteral("Noto Sans CJK SC"));
    sub.setPixelSize(size.height() / 16);
    p.setFont(sub);
    p.setPen(kGold);
    p.drawText(QRectF(text.x(), text.bottom(), text.width(), size.height() * 0.2), Qt::AlignLeft | Qt::AlignTop,
               QStringLiteral("Veyra 命理工作台\n正在载入……"));
    return pm;
}

}  // namespace library
