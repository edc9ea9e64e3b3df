#include "platform/forms/picturebox.h"

#include "platform/forms/keycodes.h"
#include "platform/vb/twips.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

#include <cmath>

namespace forms {
namespace {

QStringList textLines(const QString& text) { return text.split(QLatin1Char('\n')); }

// Endpoints snap to whole pixels, as device coordinates are whole pixels.
QPoint snapped(QPointF pixels) { return {static_cast<int>(std::lround(pixels.x())), static_cast<int>(std::lround(pixels.y()))}; }

}  // namespace

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

PictureBox::PictureBox(const QString& name, QWidget* parent) : PictureBox(parent) { setObjectName(name); }

void PictureBox::setBorderStyle(BorderStyle style) {
    borderStyle_ = style;
    update();
}

void PictureBox::setBackColor(vb::OleColor color) {
    backColor_ = color;
    cls();
}

void PictureBox::setFontBold(bool bold) {
    QFont f = font();
    f.setBold(bold);
    setFont(f);
}

QSize PictureBox::drawingSize() const {
    const int b = borderPixels();
    return {std::max(0, width() - 2 * b), std::max(0, height() - 2 * b)};
}

double PictureBox::scaleWidth() const { return vb::pixelsToTwips(drawingSize().width()); }
double PictureBox::scaleHeight() const { return vb::pixelsToTwips(drawingSize().height()); }

QPointF PictureBox::toPixels(QPointF twips) { return twips / vb::kTwipsPerPixel; }

QPixmap& PictureBox::canvas() const {
    const qreal ratio = devicePixelRatioF();
    // At least one pixel, so drawing into a box that has no size yet is harmless.
    const QSize size = drawingSize().expandedTo(QSize(1, 1));
    if (!pixmap_.isNull() && pixmap_.deviceIndependentSize().toSize() == size && pixmap_.devicePixelRatio() == ratio)
        return pixmap_;
    // What was drawn stays where it was; new area shows BackColor.
    QPixmap next(size * ratio);
    next.setDevicePixelRatio(ratio);
    next.fill(vb::toQColor(backColor_));
    if (!pixmap_.isNull()) {
        QPainter p(&next);
        p.drawPixmap(0, 0, pixmap_);
    }
    pixmap_ = next;
    return pixmap_;
}

void PictureBox::cls() {
    canvas().fill(vb::toQColor(backColor_));
    current_ = {};
    update();
}

void PictureBox::line(QPointF from, QPointF to, vb::OleColor color) {
    {
        const QPoint a = snapped(toPixels(from));
        const QPoint b = snapped(toPixels(to));
        QPainter p(&canvas());
        QPen pen(vb::toQColor(color), 0);
        if (a.x() == b.x() || a.y() == b.y()) {
            // Straight lines end one pixel short of their end point in either direction; Qt's flat
            // cap would leave out whichever end lies further left or up instead.
            if (a != b) {
                const QPoint last = b - QPoint((b.x() > a.x()) - (b.x() < a.x()), (b.y() > a.y()) - (b.y() < a.y()));
                pen.setCapStyle(Qt::SquareCap);
                p.setPen(pen);
                p.drawLine(a, last);
            }
        } else {
            pen.setCapStyle(Qt::FlatCap);
            p.setPen(pen);
            p.drawLine(a, b);
        }
    }
    current_ = to;
    update();
}

void PictureBox::box(QPointF from, QPointF to, vb::OleColor color, bool filled) {
    {
        QPainter p(&canvas());
        const QRect r = QRect(snapped(toPixels(from)), snapped(toPixels(to))).normalized();
        if (filled) {
            p.fillRect(r, vb::toQColor(color));
        } else {
            p.setPen(QPen(vb::toQColor(color), 0));
            p.drawRect(r.adjusted(0, 0, -1, -1));
        }
    }
    current_ = to;
    update();
}

void PictureBox::print(const QString& text, bool newLine) {
    const QFontMetricsF metrics(font(), this);
    const QStringList lines = textLines(text);
    {
        QPainter p(&canvas());
        p.setFont(font());
        p.setPen(vb::toQColor(foreColor_));
        QPointF at = toPixels(current_);
        for (const QString& l : lines) {
            p.drawText(QPointF(at.x(), at.y() + metrics.ascent()), l);
            at.ry() += metrics.lineSpacing();
        }
    }
    if (newLine) {
        current_ = {0, current_.y() + textHeight(text)};
    } else {
        current_.rx() += vb::pixelsToTwips(metrics.horizontalAdvance(lines.last()));
        current_.ry() += vb::pixelsToTwips(metrics.lineSpacing() * (lines.size() - 1));
    }
    update();
}

double PictureBox::textWidth(const QString& text) const {
    const QFontMetricsF metrics(font(), this);
    double widest = 0;
    for (const QString& l : textLines(text)) widest = std::max(widest, metrics.horizontalAdvance(l));
    return vb::pixelsToTwips(widest);
}

double PictureBox::textHeight(const QString& text) const {
    const QFontMetricsF metrics(font(), this);
    return vb::pixelsToTwips(metrics.height() + metrics.lineSpacing() * (textLines(text).size() - 1));
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawPixmap(origin(), canvas());
    if (borderStyle_ == BorderStyle::FixedSingle) {
        QStyleOptionFrame frame;
        frame.initFrom(this);
        frame.lineWidth = borderPixels();
        frame.midLineWidth = 0;
        frame.state |= QStyle::State_Sunken;
        style()->drawPrimitive(QStyle::PE_Frame, &frame, &p, this);
    }
}

void PictureBox::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    emit resized();
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) pressed_ = true;
    afterDouble_ = false;
    emit mouseDown(mouseArgs(*event, origin()));
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = event->button() == Qt::LeftButton && pressed_ && !afterDouble_ &&
                       rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton) pressed_ = false;
    afterDouble_ = false;
    emit mouseUp(mouseArgs(*event, origin()));
    if (click) emit clicked();
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        mousePressEvent(event);
        return;
    }
    afterDouble_ = true;
    emit doubleClicked();
}

void PictureBox::keyPressEvent(QKeyEvent* event) {
    KeyArgs args{keyCode(*event), shiftState(event->modifiers())};
    const bool known = args.keyCode != 0;
    emit keyDown(args);
    if (known && args.keyCode == 0)
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

void PictureBox::keyReleaseEvent(QKeyEvent* event) {
    KeyArgs args{keyCode(*event), shiftState(event->modifiers())};
    const bool known = args.keyCode != 0;
    emit keyUp(args);
    if (known && args.keyCode == 0)
        event->accept();
    else
        QWidget::keyReleaseEvent(event);
}

}  // namespace forms
