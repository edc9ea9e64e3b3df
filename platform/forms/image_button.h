#pragma once
// An image used as a button: it shows a picture of an image list by key and raises Click. Pressed and
// released looks come from the keys "<name>_d" and "<name>_u"; a key the list lacks shows nothing.
#include "platform/forms/image_list.h"

#include <QLabel>

namespace forms {

class ImageButton : public QLabel {
    Q_OBJECT
public:
    // `images` must outlive the button (it is the window's list).
    ImageButton(const ImageList* images, const QString& pictureName, QWidget* parent = nullptr);

    const QString& pictureName() const { return pictureName_; }
    const QString& shownKey() const { return shownKey_; }

    // Shows the picture stored under `key`; an unknown key empties the button.
    void showKey(const QString& key);
    void setPressed(bool pressed) { showKey(pressed ? pressedKey(pictureName_) : releasedKey(pictureName_)); }
    bool isPressed() const { return shownKey_ == pressedKey(pictureName_); }

signals:
    void Click();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    const ImageList* images_;
    QString pictureName_;
    QString shownKey_;
};

}  // namespace forms
