#pragma once
// The frame of a modal window.

class QWidget;

namespace vb {

// A modal window is a dialog: a title and a close button, nothing to minimise or maximise.
void setDialogFrame(QWidget& window);

}  // namespace vb
