#include "windows/frm_fang_da.h"

#include "core/richtext_commands.h"
#include "platform/forms/common_dialog.h"
#include "platform/forms/error_report.h"
#include "platform/forms/font_faces.h"
#include "platform/forms/form_registry.h"
#include "platform/forms/richtextbox.h"
#include "platform/forms/twips_geometry.h"
#include "windows/event_filters.h"
#include "windows/frm_top.h"

#include <QMenuBar>

#include <algorithm>

namespace windows {

FrmFangDa::FrmFangDa(QWidget* parent) : forms::Form(QStringLiteral("frmFangDa"), parent) {
    TxtFd_ = new forms::RichTextBox(QStringLiteral("TxtFd"), client());
    TxtFd_->setFont(forms::designFont(QStringLiteral("宋体"), 14));
    dlgCommonDialog1_ = new forms::CommonDialog(QStringLiteral("dlgCommonDialog1"), this);
    QAction* print = menuBar()->addAction(QStringLiteral("打印"));
    print->setObjectName(QStringLiteral("MnuFdDy"));
    connect(print, &QAction::triggered, this, [this] { MnuFdDy_Click(); });
    onEvent(hooks_, TxtFd_->viewport(), QEvent::MouseButtonDblClick, [this] { TxtFd_DblClick(); });
    setClientSize(9600, 7200);
}

void FrmFangDa::Form_Load() {
    // frmTop is loaded and kept above other windows, never shown.
    FrmTop& top = forms::defaultInstance<FrmTop>();
    top.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    top.hide();
}

void FrmFangDa::Form_Resize() {
    forms::setTwipsGeometry(TxtFd_, 0, 0, std::max(0, Width() - 130), std::max(0, Height() - 650));
}

void FrmFangDa::appendTitle(const QString& title) { setCaption(Caption() + QStringLiteral("——") + title); }

void FrmFangDa::MnuFdDy_Click() {
    forms::reportErrors(QStringLiteral(" frmFangDa::MnuFdDy_Click"), [this] { core::PrintRichText(this, TxtFd_); });
}

void FrmFangDa::TxtFd_DblClick() { Unload(); }

}  // namespace windows
