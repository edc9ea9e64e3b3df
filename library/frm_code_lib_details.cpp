// The library window's right-hand side: the item-detail tabs with the editor, the case list and the
// reading panel under them.
#include "core/code_item.h"
#include "core/globals.h"
#include "library/ctl_code_details.h"
#include "library/ctl_file_details.h"
#include "library/frm_code_lib.h"
#include "library/reading_panel.h"
#include "platform/forms/richtextbox.h"

namespace library {

void FrmCodeLib::buildDetails() {
    ctlCodeItemDetails_ = new CtlCodeDetails(*this, client());
    txtCode_ = new forms::RichTextBox(QStringLiteral("txtCode"), ctlCodeItemDetails_);
    ctlFileDetails1_ = new CtlFileDetails(ctlCodeItemDetails_);
    ctlFileDetails1_->hide();
    Picscroll_ = new ReadingPanel(ctlCodeItemDetails_);
}

bool FrmCodeLib::ShowItemDetails(const QString& id) {
    if (id.isEmpty()) return ctlCodeItemDetails_->Initialise(core::gWorkDB, nullptr);
    auto item = std::make_shared<core::CCodeItem>();
    item->Initialise(core::gWorkDB, id);
    return ctlCodeItemDetails_->Initialise(core::gWorkDB, item);
}

}  // namespace library
