#pragma once
// Window coordinates are kept in twips (1/1440 inch). The program treats every screen as 96 logical
// pixels per inch, so one logical pixel is always 15 twips in both directions.
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QSizeF>

namespace vb {

inline constexpr int kTwipsPerPixel = 15;

// Screen.TwipsPerPixelX / Screen.TwipsPerPixelY.
constexpr int twipsPerPixelX() { return kTwipsPerPixel; }
constexpr int twipsPerPixelY() { return kTwipsPerPixel; }

// Twips to whole logical pixels, rounded to the nearest pixel (halves away from zero).
int twipsToPixels(double twips);
QPoint twipsToPixels(const QPointF& twips);
QSize twipsToPixels(const QSizeF& twips);
QRect twipsToPixels(const QRectF& twips);

// Logical pixels to twips (exact).
constexpr double pixelsToTwips(double pixels) { return pixels * kTwipsPerPixel; }
QPointF pixelsToTwips(const QPoint& pixels);
QSizeF pixelsToTwips(const QSize& pixels);
QRectF pixelsToTwips(const QRect& pixels);

}  // namespace vb
