#include "library/tree_pictures.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace library {

namespace {

constexpr int kSize = 16;
const QColor kOutline(0x80, 0x60, 0x10);
const QColor kFolderBack(0xE8, 0xB8, 0x30);
const QColor kFolderFront(0xFF, 0xD8, 0x60);
const QColor kPaper(0xFF, 0xFF, 0xFF);
const QColor kInk(0x50, 0x50, 0x60);

QPixmap draw(const std::function<void(QPainter&)>& paint) {
    QImage image(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    paint(p);
    p.end();
    return QPixmap::fromImage(image);
}

void folder(QPainter& p) {
    p.setPen(kOutline);
    p.setBrush(kFolderBack);
    QPolygon tab{{1, 3}, {6, 3}, {7, 4}, {14, 4}, {14, 13}, {1, 13}};
    p.drawPolygon(tab);
    p.setBrush(kFolderFront);
    p.drawRect(1, 6, 13, 7);
}

void openFolder(QPainter& p) {
    p.setPen(kOutline);
    p.setBrush(kFolderBack);
    p.drawPolygon(QPolygon{{1, 3}, {6, 3}, {7, 4}, {13, 4}, {13, 13}, {1, 13}});
    p.setBrush(kPaper);
    p.drawRect(3, 5, 8, 5);
    p.setBrush(kFolderFront);
    p.drawPolygon(QPolygon{{1, 13}, {4, 7}, {15, 7}, {12, 13}});
}

void child(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(kPaper);
    p.drawPolygon(QPolygon{{3, 1}, {10, 1}, {13, 4}, {13, 14}, {3, 14}});
    p.drawPolyline(QPolygon{{10, 1}, {10, 4}, {13, 4}});
    p.setPen(QColor(0x40, 0x80, 0x40));
    for (int y = 6; y <= 12; y += 2) p.drawLine(5, y, 11, y);
}

void bookmarks(QPainter& p) {
    p.setPen(QColor(0x20, 0x30, 0x70));
    p.setBrush(QColor(0x40, 0x60, 0xC0));
    p.drawRect(2, 1, 11, 13);
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    p.drawRect(4, 2, 1, 12);
    p.setBrush(QColor(0xD0, 0x20, 0x20));
    p.drawPolygon(QPolygon{{8, 0}, {11, 0}, {11, 8}, {9, 6}, {8, 8}});
}

}  // namespace

forms::ImageList treePictures() {
    forms::ImageList list;
    list.add(QStringLiteral("FOLDER"), draw(folder));
    list.add(QStringLiteral("OPENFOLDER"), draw(openFolder));
    list.add(QStringLiteral("CHILD"), draw(child));
    list.add(QStringLiteral("VIEWBOOKMARKS"), draw(bookmarks));
    return list;
}

}  // namespace library
