#pragma once
// A label: Caption, ForeColor and BackColor (0x00BBGGRR or system colours), plain text that wraps
// at the label's width, and the Click, DblClick, MouseDown and MouseUp events.
#include "platform/forms/mouse_args.h"
#include "platform/vb/colour.h"

#include <QLabel>

namespace forms {

class Label : public QLabel {
    Q_OBJECT
public:
    enum class BackStyle { Transparent, Opaque };

    explicit Label(QWidget* parent = nullptr);
    Label(const QString& name, const QString& caption, QWidget* parent = nullptr);

    QString caption() const { return text(); }
    void setCaption(const QString& caption) { setText(caption); }

    vb::OleColor foreColor() const { return foreColor_; }
    void setForeColor(vb::OleColor color);
    vb::OleColor backColor() const { return backColor_; }
    void setBackColor(vb::OleColor color);
    BackStyle backStyle() const { return backStyle_; }
    void setBackStyle(BackStyle style);

signals:
    // The order of a click is MouseDown, MouseUp, Click; of a double-click the second press raises
    // DblClick in place of MouseDown and its release raises MouseUp only.
    void mouseDown(const forms::MouseArgs& args);
    void mouseUp(const forms::MouseArgs& args);
    void clicked();
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void applyColours();

    vb::OleColor foreColor_ = vb::vbButtonText;
    vb::OleColor backColor_ = vb::vbButtonFace;
    BackStyle backStyle_ = BackStyle::Opaque;
    bool pressed_ = false;       // a left press began on the label
    bool afterDouble_ = false;   // the release that follows a double-click raises no Click
};

}  // namespace forms
