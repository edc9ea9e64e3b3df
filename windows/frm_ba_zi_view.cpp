// The chart window's scroll surface, and the chart as a picture: saved, on the clipboard, printed.
#include "windows/frm_ba_zi.h"

#include "platform/forms/common_dialog.h"
#include "platform/forms/picturebox.h"
#include "platform/forms/twips_geometry.h"
#include "platform/vb/folders.h"
#include "platform/vb/error.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/variant.h"
#include "windows/chart_cells_widget.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScrollBar>

#include <algorithm>

namespace windows {

namespace {

constexpr char16_t kPrinterMessage[] = u"安装或调整打印机！";

int twips(double v) { return static_cast<int>(vb::roundHalfEven(v)); }

}  // namespace

void FrmBaZi::AlignScrollBars() {
    if (!picbox_) return;
    const int scaleWidth = ScaleWidth();
    const int scaleHeight = ScaleHeight();
    const QRect filler = forms::twipsGeometry(lblFiller_);
    const QRect h = forms::twipsGeometry(hScroll_);
    const QRect v = forms::twipsGeometry(vScroll_);
    const QRect surface = forms::twipsGeometry(picbox_);

    // A window smaller than the bars' corner leaves them no length, never a negative one.
    const int hWidth = std::max(0, scaleWidth - filler.width());
    const int vHeight = std::max(0, scaleHeight - filler.height());
    forms::setTwipsGeometry(hScroll_, 0, std::max(0, scaleHeight - h.height()), hWidth, h.height());
    forms::setTwipsGeometry(vScroll_, std::max(0, scaleWidth - v.width()), 0, v.width(), vHeight);

    // The view is the client less the bars: at the end of a range the surface's far edge meets the
    // bar exactly.
    hScroll_->blockSignals(true);
    vScroll_->blockSignals(true);
    hScroll_->setMaximum(std::max(0, twips(surface.width() - hWidth)));
    vScroll_->setMaximum(std::max(0, twips(surface.height() - vHeight)));
    hScroll_->blockSignals(false);
    vScroll_->blockSignals(false);

    forms::setTwipsGeometry(picbox_, -hScroll_->value(), -vScroll_->value(), surface.width(), surface.height());
    forms::setTwipsGeometry(lblFiller_, std::max(0, scaleWidth - filler.width()), std::max(0, scaleHeight - filler.height()),
                            filler.width(), filler.height());
    for (QWidget* w : {static_cast<QWidget*>(hScroll_), static_cast<QWidget*>(vScroll_), static_cast<QWidget*>(lblFiller_)})
        w->raise();
    UpdateDisplay();
}

void FrmBaZi::UpdateDisplay() {
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(14);
    f.setBold(true);
    f.setItalic(true);
    picbox_->setFont(f);
    picbox_->cls();
    const QString heading;
    picbox_->setCurrentX((picbox_->scaleWidth() - picbox_->textWidth(heading)) / 2);
    picbox_->setCurrentY(0);
    picbox_->print(heading);
    picbox_->line({100, 100}, {500, 500}, vb::rgb(0, 0, 0));
}

void FrmBaZi::HScroll_Change() { guarded("HScroll_Change", [this] { AlignScrollBars(); }); }
void FrmBaZi::VScroll_Change() { guarded("VScroll_Change", [this] { AlignScrollBars(); }); }

QString FrmBaZi::picturePath() { return vb::joinPath(vb::dataFolder(), QStringLiteral("veyrpic.bmp")); }

void FrmBaZi::capture() {
    // The chart widget draws itself, whatever lies over it on screen and wherever it is scrolled.
    captured_ = picMain_->grab();
    QGuiApplication::clipboard()->setPixmap(captured_);
}

void FrmBaZi::MnuJT_Click() {
    guarded("MnuJT_Click", [this] {
        capture();
        const QString path = picturePath();
        if (!captured_.save(path, "BMP")) {
            vb::MsgBox(QStringLiteral("命盘图未能保存到") + path, vb::vbOKOnly | vb::vbExclamation);
            return;
        }
        vb::MsgBox(QStringLiteral("当前命盘图已保存在") + path + QStringLiteral("（同时放入了剪贴板）"));
    });
}

void FrmBaZi::MnuPrIn_Click() {
    guarded("MnuPrIn_Click", [this] {
        capture();
        QCoreApplication::processEvents();
        QPrinter defaultPrinter(QPrinter::HighResolution);
        QPrinter* target = &defaultPrinter;
        // Without a default printer the user picks one in the print dialog, a PDF file among them.
        forms::CommonDialog dialog(QStringLiteral("dlgCommonDialog1"), this);
        if (!printFile_.isEmpty()) {
            defaultPrinter.setOutputFormat(QPrinter::PdfFormat);
            defaultPrinter.setOutputFileName(printFile_);
        } else if (QPrinterInfo::defaultPrinter().isNull()) {
            dialog.setFlags(forms::cdlPDReturnDC | forms::cdlPDNoPageNums | forms::cdlPDNoSelection);
            dialog.setCancelError(true);
            try {
                dialog.showPrinter();
            } catch (const vb::Error& e) {
                if (e.number() == forms::cdlCancel) return;
                throw;
            }
            target = &dialog.printer();
        }
        QPrinter& printer = *target;
        QPainter painter;
        if (!painter.begin(&printer)) {
            vb::MsgBox(QString::fromUtf16(kPrinterMessage));
            return;
        }
        painter.drawText(QPointF(0, painter.fontMetrics().ascent()), QStringLiteral(" "));
        // The picture at its own size: its logical pixels at the screen's 96 per inch.
        const double scale = printer.resolution() / 96.0;
        const QSizeF size = QSizeF(captured_.size()) / captured_.devicePixelRatio() * scale;
        painter.drawPixmap(QRectF(QPointF(0, 0), size), captured_, QRectF(captured_.rect()));
        if (!painter.end()) vb::MsgBox(QString::fromUtf16(kPrinterMessage));
    });
}

}  // namespace windows
