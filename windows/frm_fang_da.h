#pragma once
// The enlarged-text window: a text of the chart window in a large rich-text box `TxtFd`, with a
// print menu. Each opening appends "——" and a title to its caption; a double-click on the text closes
// it. Loading it loads the hidden restore-button window frmTop.
#include "platform/forms/event_hook.h"
#include "platform/forms/form.h"

namespace forms {
class CommonDialog;
class RichTextBox;
}  // namespace forms

namespace windows {

class FrmFangDa : public forms::Form {
    Q_OBJECT
public:
    explicit FrmFangDa(QWidget* parent = nullptr);

    forms::RichTextBox* TxtFd() const { return TxtFd_; }
    // Caption := caption & "——" & title.
    void appendTitle(const QString& title);

    void MnuFdDy_Click();
    void TxtFd_DblClick();

protected:
    void Form_Load() override;
    void Form_Resize() override;

private:
    forms::RichTextBox* TxtFd_;
    forms::CommonDialog* dlgCommonDialog1_;
    // The box's event hook calls members of this class: it goes with them, never after.
    forms::EventHooks hooks_;
};

}  // namespace windows
