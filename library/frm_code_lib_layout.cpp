// The library window's layout: the tree, the bar that divides it from the item's pages, the bookmark
// pane and the status bar; the notification-area icon; the options and home-page commands.
#include "core/globals.h"
#include "library/ctl_code_details.h"
#include "library/frm_about.h"
#include "library/frm_code_lib.h"
#include "library/frm_options.h"
#include "platform/forms/error_report.h"
#include "platform/forms/form_registry.h"
#include "platform/forms/richtextbox.h"
#include "platform/forms/twips_geometry.h"
#include "platform/vb/twips.h"
#include "platform/vb/msgbox.h"

#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTreeWidget>

#include <cmath>

namespace library {

namespace {
constexpr int kMinimumColumn = 1500;
constexpr int kBarWidth = 150;

// Places a control; a size that comes out negative (a tiny or minimised window) leaves it as it was.
void place(QWidget* w, int left, int top, int width, int height) {
    if (width < 0 || height < 0) return;
    forms::setTwipsGeometry(w, left, top, width, height);
}
}  // namespace

void FrmCodeLib::Form_Resize() { SizeControls(forms::twipsGeometry(tvCodeItems_).width()); }

void FrmCodeLib::SizeControls(int x) {
    if (x < kMinimumColumn) x = kMinimumColumn;
    if (x > Width() - kMinimumColumn) x = Width() - kMinimumColumn;
    const int statusHeight = static_cast<int>(vb::pixelsToTwips(statusBar_->sizeHint().height()));
    place(statusBar_, 0, ScaleHeight() - statusHeight, ScaleWidth(), statusHeight);

    if (viewBookMarks_) {
        const double wanted = ScaleHeight() * 2.0 / 9.0 * core::gBookmarkPaneScale;
        place(ctlBookMarkList_, forms::twipsGeometry(ctlBookMarkList_).x(), forms::twipsGeometry(ctlBookMarkList_).y(),
              ScaleWidth(), static_cast<int>(std::lround(wanted)));
        bookmarkPaneHeight_ = forms::twipsGeometry(ctlBookMarkList_).height();
    } else {
        bookmarkPaneHeight_ = 0;
    }
    place(imgSplitter_, x, forms::twipsGeometry(imgSplitter_).y(), kBarWidth, forms::twipsGeometry(imgSplitter_).height());
    imgSplitter_->raise();
    place(tvCodeItems_, 0, 0, x, ScaleHeight() - (statusHeight + bookmarkPaneHeight_));
    const QRect tree = forms::twipsGeometry(tvCodeItems_);
    place(ctlCodeItemDetails_, x + 25, tree.y(), ScaleWidth() - (tree.width() + 50), tree.height());
    if (viewBookMarks_) place(ctlBookMarkList_, 0, tree.y() + tree.height(), ScaleWidth(), bookmarkPaneHeight_);
    place(imgSplitter_, x, tree.y(), kBarWidth, tree.height());
}

void FrmCodeLib::imgSplitter_MouseDown() {
    const QRect bar = forms::twipsGeometry(imgSplitter_);
    place(picSplitter_, bar.x(), bar.y(), bar.width() / 2, bar.height() - 20);
    picSplitter_->show();
    picSplitter_->raise();
    dragging_ = true;
}

void FrmCodeLib::imgSplitter_MouseMove(int x) {
    if (!dragging_) return;
    const QRect bar = forms::twipsGeometry(picSplitter_);
    const int pos = forms::twipsGeometry(imgSplitter_).x() + x;
    int left = pos;
    if (pos < kMinimumColumn) left = kMinimumColumn;
    else if (pos > Width() - kMinimumColumn) left = Width() - kMinimumColumn;
    place(picSplitter_, left, bar.y(), bar.width(), bar.height());
}

void FrmCodeLib::imgSplitter_MouseUp() {
    if (!dragging_) return;
    SizeControls(forms::twipsGeometry(picSplitter_).x());
    picSplitter_->hide();
    dragging_ = false;
}

void FrmCodeLib::ShowBookmarkPane(bool flag) {
    viewBookMarks_ = flag;
    ctlBookMarkList_->setVisible(flag);
    Form_Resize();
    menuEntries_.value(QStringLiteral("mnuViewBookMarks"))->setChecked(flag);
}

void FrmCodeLib::SetupSysTrayIcon() {
    // A desktop without a notification area is no error: the program runs on without the icon.
    if (!QSystemTrayIcon::isSystemTrayAvailable()) return;
    trayIcon_ = new QSystemTrayIcon(windowIcon(), this);
    trayIcon_->setObjectName(QStringLiteral("picSysBar"));
    trayIcon_->setToolTip(QStringLiteral("Veyra 紫微斗数工作台"));
    connect(trayIcon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::DoubleClick) picSysBar_MouseMove(515);
    });
    trayIcon_->show();
}

void FrmCodeLib::RemoveTrayIcon() {
    delete trayIcon_;
    trayIcon_ = nullptr;
}

void FrmCodeLib::picSysBar_MouseMove(int message) {
    if (trayGuard_) return;
    trayGuard_ = true;
    if (message == 515) {
        show();
        if (windowStateValue() == forms::vbMinimized) setWindowStateValue(forms::vbNormal);
        raise();
        activateWindow();
    }
    trayGuard_ = false;
}

void FrmCodeLib::ShowSettings() {
    try {
        FrmOptions* options = forms::newInstance<FrmOptions>();
        options->Initialise(*settings_);
        options->Show(true, this);
        options->Unload();
    } catch (const vb::Error& e) {
        vb::MsgBox(forms::errorReportText(e, QString()), vb::vbOKOnly,
                   QStringLiteral("frmCodeLib::ShowSettings"));
    }
}

void FrmCodeLib::MNUZHUYE_Click() { FrmAbout::ExecuteLink(QString::fromUtf16(kHomePage)); }

}  // namespace library
