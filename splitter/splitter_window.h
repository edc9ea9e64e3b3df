#pragma once
// The control's window: paints the panes, bevels and outline from the laid-out state, shows the drag
// feedback above the panes' controls, and passes mouse, focus and size messages to the control.
#include "splitter/splitter_model.h"

#include <QWidget>

#include <array>

class QPainter;

namespace splitter {

class SplitterControl;
class FeedbackOverlay;

class SplitterWindow final : public QWidget {
public:
    SplitterWindow(SplitterControl* control, QWidget* parent);

    // Detaches from the control (the control is going away).
    void detach() { control_ = nullptr; }
    // The drag feedback bars (an empty rectangle: none), drawn above the contained controls.
    void showFeedback(const std::array<QRect, 2>& bars);

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
    FeedbackOverlay* overlay_;
};

// Draws the control's state on `painter` over a client area of `size` pixels.
void paintSplitter(QPainter& painter, const SplitterModel& model, QSize size);

}  // namespace splitter
