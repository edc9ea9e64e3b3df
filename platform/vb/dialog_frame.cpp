#include "platform/vb/dialog_frame.h"

#include <QWidget>

namespace vb {

void setDialogFrame(QWidget& window) {
    window.setWindowFlags((window.windowFlags() & ~(Qt::WindowMinMaxButtonsHint | Qt::WindowType_Mask)) |
                          Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint);
}

}  // namespace vb
