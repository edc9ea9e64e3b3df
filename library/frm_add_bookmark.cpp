#include "library/frm_add_bookmark.h"

#include "core/bookmark.h"
#include "core/code_item.h"
#include "core/globals.h"
#include "platform/forms/twips_geometry.h"
#include "platform/vb/error.h"
#include "platform/vb/msgbox.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace library {

FrmAddBookmark::FrmAddBookmark() : forms::Form(QStringLiteral("frmAddBookmark")) {
    setCaption(QStringLiteral("书签"));
    setClientSize(5400, 1980);
    QWidget* area = client();
    auto* caption = new QLabel(area);
    caption->setObjectName(QStringLiteral("lblCaption"));
    forms::setTwipsGeometry(caption, 120, 60, 5160, 255);
    forms::setTwipsGeometry(new QLabel(QStringLiteral("书签名称："), area), 120, 360, 1080, 255);
    lblcodeitem_ = new QLabel(area);
    lblcodeitem_->setObjectName(QStringLiteral("lblcodeitem"));
    lblcodeitem_->setFrameShape(QFrame::StyledPanel);
    forms::setTwipsGeometry(lblcodeitem_, 1200, 330, 4080, 315);
    auto* label = new QLabel(QStringLiteral("简单描述："), area);
    label->setObjectName(QStringLiteral("lblBookmark"));
    forms::setTwipsGeometry(label, 120, 810, 1080, 255);
    txtBookmark_ = new QLineEdit(area);
    txtBookmark_->setObjectName(QStringLiteral("txtBookmark"));
    forms::setTwipsGeometry(txtBookmark_, 1200, 780, 4080, 315);
    cmdok_ = new QPushButton(QStringLiteral("确定"), area);
    cmdok_->setObjectName(QStringLiteral("cmdok"));
    cmdok_->setDefault(true);
    forms::setTwipsGeometry(cmdok_, 2760, 1380, 1200, 375);
    cmdcancel_ = new QPushButton(QStringLiteral("取消"), area);
    cmdcancel_->setObjectName(QStringLiteral("cmdcancel"));
    forms::setTwipsGeometry(cmdcancel_, 4080, 1380, 1200, 375);
    setDialogKeys(cmdcancel_);

    connect(txtBookmark_, &QLineEdit::textChanged, this, [this] { txtBookmark_Change(); });
    connect(cmdok_, &QPushButton::clicked, this, [this] { cmdOk_Click(); });
    connect(cmdcancel_, &QPushButton::clicked, this, [this] { cmdcancel_Click(); });
}

FrmAddBookmark::~FrmAddBookmark() = default;

void FrmAddBookmark::Initialise(dao::Database& db, const std::shared_ptr<core::CCodeItem>& item) {
    item_ = item;
    core::gWorkDB = db;
    lblcodeitem_->setText(QStringLiteral(" ") + (item_ ? item_->Description() : QString()));
}

void FrmAddBookmark::txtBookmark_Change() {
    if (txtBookmark_->text().size() > kMaxDescription) {
        const QSignalBlocker quiet(txtBookmark_);
        txtBookmark_->setText(accepted_);
        vb::MsgBox(QStringLiteral("请将输入的字符限制在于250个以内！"), vb::vbOKOnly);
    }
    accepted_ = txtBookmark_->text();
}

void FrmAddBookmark::cmdOk_Click() {
    try {
        core::CBookmark bookmark;
        bookmark.Initialise(core::gWorkDB, QString());
        bookmark.setCodeItem(item_.get());
        bookmark.setDescription(txtBookmark_->text());
        bookmark.Commit();
        Hide();
    } catch (const vb::Error& e) {
        vb::MsgBox(QStringLiteral("%1 %2 %3").arg(e.number()).arg(e.description(), e.source()), vb::vbOKOnly,
                   QStringLiteral("frmAddBookmark::cmdOk_Click"));
    }
}

void FrmAddBookmark::cmdcancel_Click() {
    item_.reset();
    cancelled_ = true;
    Hide();
}

void FrmAddBookmark::Form_Unload(int& /*cancel*/) { item_.reset(); }

}  // namespace library
