#pragma once
// A picture box whose drawing stays: Cls, Line, boxes and Print draw at once into a backing pixmap in
// twips (15 per logical pixel), and a repaint only copies the pixmap to the screen. TextWidth and
// TextHeight measure in twips with the box's font. Mouse and key events carry the windows' codes.
#include "platform/forms/mouse_args.h"
#include "platform/vb/colour.h"

#include <QPixmap>
#include <QPointF>
#include <QWidget>

namespace forms {

// KeyDown and KeyUp: setting keyCode to 0 consumes the key.
struct KeyArgs {
    int keyCode = 0;
    int shift = 0;
};

class PictureBox : public QWidget {
    Q_OBJECT
public:
    enum class BorderStyle { None, FixedSingle };

    explicit PictureBox(QWidget* parent = nullptr);
    explicit PictureBox(const QString& name, QWidget* parent = nullptr);

    BorderStyle borderStyle() const { return borderStyle_; }
    void setBorderStyle(BorderStyle style);

    vb::OleColor backColor() const { return backColor_; }
    // As the runtime does, a new BackColor clears the drawing.
    void setBackColor(vb::OleColor color);
    vb::OleColor foreColor() const { return foreColor_; }
    void setForeColor(vb::OleColor color) { foreColor_ = color; }
    void setFontBold(bool bold);
    bool fontBold() const { return font().bold(); }

    // The drawing area inside the border, in twips.
    double scaleWidth() const;
    double scaleHeight() const;

    double currentX() const { return current_.x(); }
    double currentY() const { return current_.y(); }
    void setCurrentX(double x) { current_.setX(x); }
    void setCurrentY(double y) { current_.setY(y); }

    // Cls: fills the drawing with BackColor; CurrentX and CurrentY return to 0.
    void cls();
    // Line (x1, y1)-(x2, y2): one-pixel line in `color` (ForeColor when omitted); the end point is
    // not drawn, so joined lines meet without overdrawing. CurrentX/Y move to the end.
    void line(QPointF from, QPointF to, vb::OleColor color);
    void line(QPointF from, QPointF to) { line(from, to, foreColor_); }
    // Line -(x, y): from CurrentX/Y.
    void lineTo(QPointF to, vb::OleColor color) { line(current_, to, color); }
    void lineTo(QPointF to) { line(current_, to, foreColor_); }
    // Line (x1, y1)-(x2, y2), B / BF: the outline of the box, or the box filled.
    void box(QPointF from, QPointF to, vb::OleColor color, bool filled);
    // Print: the text with its top-left at CurrentX/Y in ForeColor and the box's font, on a transparent
    // background. Afterwards CurrentX returns to 0 and CurrentY moves below the text, or, with
    // `newLine` false, CurrentX moves to the end of the text.
    void print(const QString& text, bool newLine = true);

    double textWidth(const QString& text) const;
    double textHeight(const QString& text) const;

    // The drawing as it stands (for copying and for checks).
    const QPixmap& drawing() const { return canvas(); }
    QImage drawingImage() const { return canvas().toImage(); }

signals:
    // The order of a click is MouseDown, MouseUp, Click; a double-click's second press raises DblClick.
    void mouseDown(const forms::MouseArgs& args);
    void mouseUp(const forms::MouseArgs& args);
    void clicked();
    void doubleClicked();
    void keyDown(forms::KeyArgs& args);
    void keyUp(forms::KeyArgs& args);
    void resized();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    int borderPixels() const { return borderStyle_ == BorderStyle::FixedSingle ? 2 : 0; }
    QPoint origin() const { return {borderPixels(), borderPixels()}; }
    QSize drawingSize() const;
    // The pixmap at the widget's present size: a hidden widget hears of its resizes only when shown.
    QPixmap& canvas() const;
    static QPointF toPixels(QPointF twips);

    mutable QPixmap pixmap_;
    QPointF current_;
    vb::OleColor backColor_ = vb::vbButtonFace;
    vb::OleColor foreColor_ = vb::vbButtonText;
    BorderStyle borderStyle_ = BorderStyle::FixedSingle;
    bool pressed_ = false;
    bool afterDouble_ = false;
};

}  // namespace forms
