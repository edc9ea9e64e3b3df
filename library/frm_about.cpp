#include "library/frm_about.h"

#include "library/app_icon.h"
#include "platform/forms/label.h"
#include "platform/forms/twips_geometry.h"
#include "platform/vb/app_version.h"
#include "platform/vb/mousepointer.h"
#include "platform/vb/msgbox.h"

#include <QApplication>
#include <QDesktopServices>
#include <QUrl>

namespace library {

FrmAbout::FrmAbout() : forms::Form(QStringLiteral("frmAbout")) {
    setCaption(QStringLiteral("关于《Veyra》"));
    setDialogKeys();
    setWindowIcon(appIcon());
    QWidget* area = client();
    auto* picture1 = new QLabel(area);
    picture1->setObjectName(QStringLiteral("Picture1"));
    picture1->setPixmap(appIcon().pixmap(48, 48));
    forms::setTwipsGeometry(picture1, 240, 240, 720, 720);
    auto* label1 = new forms::Label(QStringLiteral("Label1"), QStringLiteral("Veyra 紫微斗数命理工作台"), area);
    forms::setTwipsGeometry(label1, 1200, 240, 4800, 300);
    lblVersion_ = new forms::Label(QStringLiteral("lblVersion"), QString(), area);
    forms::setTwipsGeometry(lblVersion_, 1200, 600, 4800, 300);
    auto* label2 = new forms::Label(QStringLiteral("Label2"), QStringLiteral("①本软件供学习紫微斗数、八字与历法之用。"), area);
    label2->setWordWrap(true);
    forms::setTwipsGeometry(label2, 240, 1140, 5760, 300);
    lblDisclaimer_ = new forms::Label(QStringLiteral("lblDisclaimer"), QString(), area);
    lblDisclaimer_->setWordWrap(true);
    forms::setTwipsGeometry(lblDisclaimer_, 240, 1440, 5760, 1000);
    lblLink1_ = new forms::Label(QStringLiteral("lblLink1"), QString::fromUtf16(kAboutLink1), area);
    lbllink2_ = new forms::Label(QStringLiteral("lbllink2"), QString::fromUtf16(kAboutLink2), area);
    lblMailTo_ = new forms::Label(QStringLiteral("lblMailTo"), QString::fromUtf16(kAboutMail), area);
    int top = 2580;
    for (forms::Label* link : {lblLink1_, lbllink2_, lblMailTo_}) {
        link->setForeColor(0xFF0000);  // blue, as links are shown
        link->setCursor(Qt::PointingHandCursor);
        forms::setTwipsGeometry(link, 240, top, 5760, 300);
        top += 330;
    }
    auto* picture2 = new QLabel(area);
    picture2->setObjectName(QStringLiteral("Picture2"));
    // The window closes once its link is open; after a failure it stays, so the address can be read.
    connect(lblLink1_, &forms::Label::clicked, this, [this] {
        if (ExecuteLink(lblLink1_->caption())) Unload();
    });
    connect(lbllink2_, &forms::Label::clicked, this, [this] {
        if (ExecuteLink(lbllink2_->caption())) Unload();
    });
    connect(lblMailTo_, &forms::Label::clicked, this, [this] {
        if (ExecuteLink(QStringLiteral("mailto:") + lblMailTo_->caption())) Unload();
    });
    setClientSize(6240, 3660);
}

void FrmAbout::Form_Load() {
    lblDisclaimer_->setCaption(QStringLiteral("②本软件仅供学术研究参考、游戏之用，不得用于预测、算命等。③对用户使用本软件的行为和由此产生的任何后果，") +
                               QStringLiteral("作者不做任何保证和承诺，也不负任何法律责任，请用户谨慎、合法使用。"));
    lblVersion_->setCaption(vb::appVersionText());
}

bool FrmAbout::ExecuteLink(const QString& link) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool opened = QDesktopServices::openUrl(QUrl(link));
    QApplication::restoreOverrideCursor();
    if (!opened)
        vb::MsgBox(QStringLiteral("Error Opening Link to ") + link + QStringLiteral("\r\n\r\n") + QString::number(0),
                   vb::vbOKOnly, QStringLiteral("frmAbout::ExecuteLink"));
    return opened;
}

}  // namespace library
