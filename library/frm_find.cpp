#include "library/frm_find.h"

#include "core/editor_host.h"
#include "core/globals.h"
#include "library/text_search.h"
#include "platform/forms/error_report.h"
#include "platform/forms/richtextbox.h"
#include "platform/forms/twips_geometry.h"
#include "platform/vb/error.h"
#include "platform/vb/msgbox.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace library {

namespace {

// The whole-word box's state from one showing to the next.
bool gWholeWord = false;

forms::RichTextBox& editor() {
    core::EditorHost* host = core::editorHost();
    if (!host) vb::raise(vb::kObjectNotSet, QStringLiteral("frmfind"));
    return host->txtCode();
}

QPushButton* button(const QString& name, const QString& caption, QWidget* parent, int top) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    forms::setTwipsGeometry(b, 4560, top, 1335, 375);
    return b;
}

}  // namespace

FrmFind::FrmFind() : forms::Form(QStringLiteral("frmfind")) {
    setCaption(QStringLiteral("查找"));
    setClientSize(6060, 1755);
    QWidget* area = client();
    forms::setTwipsGeometry(new QLabel(QStringLiteral("查找内容："), area), 120, 180, 1080, 255);
    text1_ = new QLineEdit(area);
    text1_->setObjectName(QStringLiteral("Text1"));
    forms::setTwipsGeometry(text1_, 1200, 120, 3195, 315);
    forms::setTwipsGeometry(new QLabel(QStringLiteral("替换为："), area), 120, 645, 1080, 255);
    text2_ = new QLineEdit(area);
    text2_->setObjectName(QStringLiteral("Text2"));
    forms::setTwipsGeometry(text2_, 1200, 585, 3195, 315);
    check1_ = new QCheckBox(QStringLiteral("全字匹配"), area);
    check1_->setObjectName(QStringLiteral("Check1"));
    forms::setTwipsGeometry(check1_, 120, 1140, 1800, 315);

    command1_ = button(QStringLiteral("Command1"), QStringLiteral("查找下一个"), area, 120);
    command3_ = button(QStringLiteral("Command3"), QStringLiteral("替换"), area, 585);
    command2_ = button(QStringLiteral("Command2"), QStringLiteral("取消"), area, 1050);
    command1_->setDefault(true);
    setDialogKeys(command2_);

    const auto guardedClick = [this](QPushButton* b, void (FrmFind::*handler)(), const char* tag) {
        connect(b, &QPushButton::clicked, this, [this, handler, tag] {
            forms::reportErrors(QString::fromLatin1(tag), [&] { (this->*handler)(); });
        });
    };
    guardedClick(command1_, &FrmFind::Command1_Click, " frmfind::Command1_Click");
    guardedClick(command2_, &FrmFind::Command2_Click, " frmfind::Command2_Click");
    guardedClick(command3_, &FrmFind::Command3_Click, " frmfind::Command3_Click");
    connect(check1_, &QCheckBox::clicked, this, [this] { Check1_Click(); });
}

void FrmFind::Form_Load() {
    core::gFindPos = 0;
    check1_->setChecked(gWholeWord);
}

void FrmFind::Check1_Click() { gWholeWord = check1_->isChecked(); }

void FrmFind::Command2_Click() { Unload(); }

void FrmFind::findNext() {
    forms::RichTextBox& box = editor();
    const QString what = text1_->text();
    core::gFindPos = findText(box.text(), what, core::gFindPos + 1, check1_->isChecked());
    if (core::gFindPos > 0) {
        box.setSelStart(core::gFindPos - 1);
        box.setSelLength(static_cast<int>(what.size()));
    } else {
        vb::MsgBox(QStringLiteral("未找到搜索文本？！"), vb::vbOKOnly);
    }
}

void FrmFind::Command1_Click() {
    // Nothing to look for: nothing to do.
    if (text1_->text().isEmpty()) return;
    findNext();
}

void FrmFind::Command3_Click() {
    if (text1_->text().isEmpty()) return;
    forms::RichTextBox& box = editor();
    const int at = box.selStart();
    const QString replacement = text2_->text();
    box.setSelText(replacement);
    // The search goes on after the replacement, so a replacement that holds the search text is not
    // found again and again.
    core::gFindPos = at + static_cast<int32_t>(replacement.size());
    findNext();
}

}  // namespace library
