#include "splitter/splitter_window.h"

#include "platform/vb/colour.h"
#include "splitter/splitter_control.h"

#include <QMouseEvent>
#include <QPainter>

namespace splitter {

// The drag feedback: the bars' places inverted through a checkerboard, over whatever lies beneath,
// the panes' controls included. It takes no mouse input: the window keeps the drag.
class FeedbackOverlay final : public QWidget {
public:
    explicit FeedbackOverlay(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("SplitterFeedback"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        hide();
    }
    void setBars(const std::array<QRect, 2>& bars) {
        for (const QRect& r : bars_) update(r);  // erased where it was
        bars_ = bars;
        if (bars_[0].isEmpty() && bars_[1].isEmpty()) {
            hide();
            return;
        }
        if (geometry() != parentWidget()->rect()) setGeometry(parentWidget()->rect());
        if (isHidden()) {
            raise();  // above the contained controls, which the host adds after the overlay
            show();
        }
        for (const QRect& r : bars_) update(r);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        for (const QRect& r : bars_)
            if (!r.isEmpty()) p.fillRect(r, QBrush(Qt::white, Qt::Dense4Pattern));
    }

private:
    std::array<QRect, 2> bars_;
};

SplitterWindow::SplitterWindow(SplitterControl* control, QWidget* parent)
    : QWidget(parent), control_(control), overlay_(new FeedbackOverlay(this)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
}

void SplitterWindow::showFeedback(const std::array<QRect, 2>& bars) { overlay_->setBars(bars); }

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

void paintSplitter(QPainter& p, const SplitterModel& m, QSize size) {
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
}

void SplitterWindow::paintEvent(QPaintEvent*) {
    if (!control_) return;
    QPainter p(this);
    // With sizing after the move, the panes stay as they were until the release.
    paintSplitter(p, control_->shownModel(), size());
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
