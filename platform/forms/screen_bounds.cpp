#include "platform/forms/screen_bounds.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

namespace forms {

namespace {

// What must show of a window for the user to reach it: a corner of its title bar.
constexpr int kGrip = 48;

QRect areaFor(const QRect& window) {
    const QScreen* best = nullptr;
    qint64 bestArea = 0;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect shared = screen->availableGeometry().intersected(window);
        const qint64 area = qint64(shared.width()) * shared.height();
        if (area > bestArea) {
            bestArea = area;
            best = screen;
        }
    }
    if (!best) best = QGuiApplication::primaryScreen();
    return best ? best->availableGeometry() : QRect();
}

}  // namespace

QRect boundedByScreens(const QRect& window) {
    const QRect area = areaFor(window);
    if (area.isEmpty()) return window;
    QRect placed(window.topLeft(), window.size().boundedTo(area.size()).expandedTo(QSize(1, 1)));
    const QRect shown = placed.intersected(area);
    const bool reachable = shown.width() >= std::min(kGrip, placed.width()) &&
                           shown.height() >= std::min(kGrip, placed.height()) && placed.top() >= area.top();
    if (placed.size() != window.size() || !reachable) {
        // Inside the area, as near to where it was asked as the area allows.
        placed.moveLeft(std::clamp(placed.left(), area.left(), area.right() + 1 - placed.width()));
        placed.moveTop(std::clamp(placed.top(), area.top(), area.bottom() + 1 - placed.height()));
    }
    return placed;
}

}  // namespace forms
