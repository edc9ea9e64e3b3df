#pragma once
// The small restore-button window, loaded with the enlarged-text window and never shown. Its load
// makes the library window's Format, Edit and Insert menus visible and places it near the top right
// of the screen.
#include "platform/forms/form.h"

namespace windows {

class FrmTop : public forms::Form {
    Q_OBJECT
public:
    explicit FrmTop(QWidget* parent = nullptr);

protected:
    void Form_Load() override;
};

}  // namespace windows
