#include "splitter/splitter_window.h"

#include "platform/vb/colour.h"
#include "splitter/splitter_control.h"

#include <QMouseEvent>
#include <QPainter>

namespace splitter {

SplitterWindow::SplitterWindow(SplitterControl* control, QWidget* parent) : QWidget(parent), control_(control) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
}

namespace {

void hline(QPainter& p, int x1, int x2, int y) {  // inclusive
    if (x2 < x1) std::swap(x1, x2);
    p.fillRect(QRect(x1, y, x2 - x1 + 1, 1), p.pen().color());
}
void vline(QPainter& p, int x, int y1, int y2) {
    if (y2 < y1) std::swap(y1, y2);
    p.fillRect(QRect(x, y1, 1, y2 - y1 + 1), p.pen().color());
}

// A line from a to b without its end point, as the platform draws lines.
void line(QPainter& p, QPoint a, QPoint b) {
    if (a.x() == b.x()) {
        if (a.y() == b.y()) return;
        vline(p, a.x(), a.y(), b.y() > a.y() ? b.y() - 1 : b.y() + 1);
    } else {
        hline(p, a.x(), b.x() > a.x() ? b.x() - 1 : b.x() + 1, a.y());
    }
}

void bevel(QPainter& p, int style, int n, QRect r, QColor base) {
    if (style == 0) return;
    const QColor dark(base.red() * 2 / 3, base.green() * 2 / 3, base.blue() * 2 / 3);
    const QColor light((base.red() + 256) / 2, (base.green() + 256) / 2, (base.blue() + 256) / 2);
    const int l = r.left(), t = r.top(), rt = r.right(), b = r.bottom();
    p.setPen(style == 1 ? dark : light);
    for (int i = 0; i < n; ++i) {
        line(p, {l + i, b - i}, {l + i, t + i});
        line(p, {l + i, t + i}, {rt - i, t + i});
    }
    p.setPen(style == 1 ? light : dark);
    for (int i = 0; i < n; ++i) {
        line(p, {rt - i, t + i}, {rt - i, b - i});
        line(p, {rt - i, b - i}, {l + i, b - i});
    }
}

}  // namespace

void paintSplitter(QPainter& p, const SplitterModel& m, QSize size, const QRect feedback[2]) {
    const QColor base = vb::toQColor(m.backColor);
    p.fillRect(QRect(QPoint(0, 0), size), base);
    for (int c = 0; c < m.colCount; ++c) {
        for (int r = 0; r < m.rowCount; ++r) {
            QRect rect = m.paneRect(c, r);
            if (rect.isNull()) continue;
            bevel(p, m.bevelOuter, m.bevelWidth, rect, base);
            if (m.bevelOuter != 0) rect.adjust(m.bevelWidth, m.bevelWidth, -m.bevelWidth, -m.bevelWidth);
            rect.adjust(m.borderWidth, m.borderWidth, -m.borderWidth, -m.borderWidth);
            bevel(p, m.bevelInner, m.bevelWidth, rect, base);
        }
    }
    p.setPen(Qt::black);
    for (int k = 0; k < m.outlineWidth; ++k) {
        const int l = k, t = k, r = size.width() - k - 1, b = size.height() - k - 1;
        if (r < l || b < t) break;
        hline(p, l, r, t);
        hline(p, l, r, b);
        vline(p, l, t, b);
        vline(p, r, t, b);
    }
    // The drag feedback: the bar's place inverted through a checkerboard.
    for (int i = 0; i < 2; ++i) {
        if (feedback[i].isEmpty()) continue;
        p.save();
        p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        p.fillRect(feedback[i], QBrush(Qt::white, Qt::Dense4Pattern));
        p.restore();
    }
}

void SplitterWindow::paintEvent(QPaintEvent*) {
    if (!control_) return;
    QPainter p(this);
    const SplitterModel& m = control_->shownModel();
    const SplitterModel& live = control_->model();
    const QRect feedback[2] = {live.feedbackRect(Direction::Columns, size()), live.feedbackRect(Direction::Rows, size())};
    // With sizing after the move, the panes stay as they were until the release.
    paintSplitter(p, m, size(), live.autoSizeChildren != 1 ? feedback : std::array<QRect, 2>{}.data());
}

void SplitterWindow::resizeEvent(QResizeEvent*) {
    if (!control_) return;
    control_->model().needsSizing = true;
    control_->redraw();
}

namespace {
int16_t buttonsOf(Qt::MouseButtons b) {
    return static_cast<int16_t>((b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) |
                                (b & Qt::MiddleButton ? 4 : 0));
}
int16_t shiftOf(Qt::KeyboardModifiers m) {
    return static_cast<int16_t>((m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
                                (m & Qt::AltModifier ? 4 : 0));
}
}  // namespace

void SplitterWindow::mouseMoveEvent(QMouseEvent* e) {
    if (!control_) return;
    const QPoint p = e->position().toPoint();
    const bool anyFlag = e->buttons() != Qt::NoButton || (e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier));
    control_->mouseMoved(p, buttonsOf(e->buttons()), shiftOf(e->modifiers()), anyFlag);
    if (control_ && control_->model().dragging() && !(e->buttons() & Qt::LeftButton)) control_->captureLost();
}

void SplitterWindow::mousePressEvent(QMouseEvent* e) {
    if (!control_ || e->button() != Qt::LeftButton) return QWidget::mousePressEvent(e);
    if (!control_->leftButtonDown(e->position().toPoint())) QWidget::mousePressEvent(e);
}

void SplitterWindow::mouseReleaseEvent(QMouseEvent* e) {
    if (!control_ || e->button() != Qt::LeftButton || !control_->leftButtonUp()) QWidget::mouseReleaseEvent(e);
}

void SplitterWindow::focusInEvent(QFocusEvent* e) {
    if (control_) control_->focusChanged(true);
    QWidget::focusInEvent(e);
}

void SplitterWindow::focusOutEvent(QFocusEvent* e) {
    if (control_) {
        control_->captureLost();
        control_->focusChanged(false);
    }
    QWidget::focusOutEvent(e);
}

void SplitterWindow::hideEvent(QHideEvent* e) {
    if (control_) control_->captureLost();
    QWidget::hideEvent(e);
}

bool SplitterWindow::event(QEvent* e) {
    if (control_ && (e->type() == QEvent::WindowDeactivate || e->type() == QEvent::UngrabMouse))
        control_->captureLost();
    return QWidget::event(e);
}

}  // namespace splitter
