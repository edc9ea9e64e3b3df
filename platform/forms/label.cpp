#include "platform/forms/label.h"

#include <QEvent>
#include <QMouseEvent>

namespace forms {

Label::Label(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);  // a caption such as "<1882.3--2031.12>" is text, never markup
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWordWrap(true);
    applyColours();
}

Label::Label(const QString& name, const QString& caption, QWidget* parent) : Label(parent) {
    setObjectName(name);
    setText(caption);
}

void Label::setForeColor(vb::OleColor color) {
    foreColor_ = color;
    applyColours();
}

void Label::setBackColor(vb::OleColor color) {
    backColor_ = color;
    applyColours();
}

void Label::setBackStyle(BackStyle style) {
    backStyle_ = style;
    applyColours();
}

void Label::applyColours() {
    const QColor fore = vb::toQColor(foreColor_);
    const QColor back = vb::toQColor(backColor_);
    setAutoFillBackground(backStyle_ == BackStyle::Opaque);
    QPalette p = palette();
    // Setting an unchanged palette would raise another palette change.
    if (p.color(QPalette::WindowText) == fore && p.color(QPalette::Window) == back &&
        testAttribute(Qt::WA_SetPalette))
        return;
    p.setColor(QPalette::WindowText, fore);
    p.setColor(QPalette::Window, back);
    setPalette(p);
}

void Label::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) pressed_ = true;
    afterDouble_ = false;
    emit mouseDown(mouseArgs(*event));
}

void Label::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = event->button() == Qt::LeftButton && pressed_ && !afterDouble_ &&
                       rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton) pressed_ = false;
    afterDouble_ = false;
    emit mouseUp(mouseArgs(*event));
    if (click) emit clicked();
}

void Label::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        mousePressEvent(event);
        return;
    }
    afterDouble_ = true;
    emit doubleClicked();
}

bool Label::event(QEvent* event) {
    // System colours follow the application's palette: a window hears of its change directly, a
    // child through the change of the palette it inherits.
    if (event->type() == QEvent::ApplicationPaletteChange || event->type() == QEvent::PaletteChange) applyColours();
    return QLabel::event(event);
}

}  // namespace forms
