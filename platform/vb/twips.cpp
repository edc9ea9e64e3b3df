#include "platform/vb/twips.h"

#include <cmath>

namespace vb {

int twipsToPixels(double twips) { return static_cast<int>(std::lround(twips / kTwipsPerPixel)); }

QPoint twipsToPixels(const QPointF& twips) { return {twipsToPixels(twips.x()), twipsToPixels(twips.y())}; }

QSize twipsToPixels(const QSizeF& twips) { return {twipsToPixels(twips.width()), twipsToPixels(twips.height())}; }

QRect twipsToPixels(const QRectF& twips) {
    // Edges are rounded, not the size, so adjacent rectangles in twips stay adjacent in pixels.
    const int left = twipsToPixels(twips.left());
    const int top = twipsToPixels(twips.top());
    const int right = twipsToPixels(twips.left() + twips.width());
    const int bottom = twipsToPixels(twips.top() + twips.height());
    return {left, top, right - left, bottom - top};
}

QPointF pixelsToTwips(const QPoint& pixels) { return {pixelsToTwips(pixels.x()), pixelsToTwips(pixels.y())}; }

QSizeF pixelsToTwips(const QSize& pixels) { return {pixelsToTwips(pixels.width()), pixelsToTwips(pixels.height())}; }

QRectF pixelsToTwips(const QRect& pixels) {
    return {pixelsToTwips(pixels.x()), pixelsToTwips(pixels.y()), pixelsToTwips(pixels.width()),
            pixelsToTwips(pixels.height())};
}

}  // namespace vb
