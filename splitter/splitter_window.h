#pragma once
// The control's window: paints the panes, bevels, outline and drag feedback from the laid-out state,
// and passes mouse, focus and size messages to the control.
#include "splitter/splitter_model.h"

#include <QWidget>

class QPainter;

namespace splitter {

class SplitterControl;

class SplitterWindow final : public QWidget {
public:
    SplitterWindow(SplitterControl* control, QWidget* parent);

    // Detaches from the control (the control is going away).
    void detach() { control_ = nullptr; }

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    bool event(QEvent* e) override;

private:
    SplitterControl* control_;
};

// Draws the control's state on `painter` over a client area of `size` pixels.

void paintSplitter(QPainter& painter, const SplitterModel& model, QSize size, const QRect feedback[2]);

}  // namespace splitter
