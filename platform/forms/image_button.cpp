#include "platform/forms/image_button.h"

#include <QMouseEvent>

namespace forms {

ImageButton::ImageButton(const ImageList* images, const QString& pictureName, QWidget* parent)
    : QLabel(parent), images_(images), pictureName_(pictureName) {
    setAlignment(Qt::AlignCenter);
    setPressed(false);
}

void ImageButton::showKey(const QString& key) {
    shownKey_ = key;
    const QPixmap picture = images_ ? images_->picture(key) : QPixmap();
    if (picture.isNull()) clear();
    else setPixmap(picture);
}

void ImageButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) event->accept();
    else QLabel::mousePressEvent(event);
}

void ImageButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit Click();
    else QLabel::mouseReleaseEvent(event);
}

}  // namespace forms
